#pragma once
// The user's answers: what the pages start with and what the install is
// given. Filled before any page exists, changed only by the user.
#include "base/portable/text_helpers.h"

// The document kinds in the association list's order.
enum DocumentKind { KindProject, KindWindow, KindModule, KindResource, kDocumentKindCount };

struct InstallChoices {
    char destination[kTextCapacity];         // the folder to install into: "<AppDir>"
    char userName[kTextCapacity];
    char organization[kTextCapacity];
    bool programGroup;
    char groupName[kTextCapacity];
    bool associations[kDocumentKindCount];   // the kinds to open in the product
    bool desktopShortcut;
    bool basalt;                             // the toolset choice, stored for the product
    bool restartNow;                         // when files wait for the next start
};
