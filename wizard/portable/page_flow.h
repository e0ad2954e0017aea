#pragma once
// The wizard's pages as a state machine over the page number.

enum Page : unsigned {
    PageUnpacking = 0,
    PageWelcome = 1,
    PageDestination = 2,
    PageUserDetails = 3,
    PageProgramGroup = 4,
    PageOptions = 5,
    PageSummary = 6,
    PageInstalling = 7,
    PageFinish = 8,
};

// The options page is skipped both ways for setup kind 0 or when it has
// nothing to offer.
bool SkipsOptionsPage(int optionsContent, int setupKind);

// The page that Next leads to from a page below 8.
unsigned NextPageNumber(unsigned page, int optionsContent, int setupKind);
// The page that Previous leads to from a page above 1.
unsigned PreviousPageNumber(unsigned page, int optionsContent, int setupKind);
