#pragma once
// What the publisher's check can find in a list file: each finding has a
// severity and a message with numbered blanks, printed in a compiler's
// style as "file:line: error: message".
#include <cstddef>
#include <string>
#include <vector>

enum class Severity { Error, Warning };

enum class FindingCode {
    // Errors: the install would fail or go wrong.
    LineTooLong,
    NoEquals,
    NoLineEnd,
    FileEndsEarly,
    EntryCountNotPositive,
    CountMismatch,
    FileLineFields,
    UnsafeFileName,
    BadTargetFolder,
    TargetFolderBackslash,
    DuplicateFileName,
    BadRegistryRoot,
    GroupItemFields,
    AssociationFields,
    MissingFile,
    // Warnings: the install works but looks wrong to the user.
    SizeDiffers,
    ProgressTotalDiffers,
    UnversionedLibrary,
    ShortcutOutside,
    GroupItemOutside,
    RegistryRootZero,
    RegistryNoAt,
    RegistryDataNoMacro,
};

struct Finding {
    std::size_t line;                     // 1-based; 0 for the list file as a whole
    FindingCode code;
    std::vector<std::string> blanks;      // {1}, {2}... of the message
};

Severity SeverityOf(FindingCode code);

// "message" with its blanks filled in.
std::string FindingMessage(const Finding& finding);

// "file:line: error: message" (or "file: ..." for line 0).
std::string FormatFinding(const std::string& fileName, const Finding& finding);

std::size_t CountErrors(const std::vector<Finding>& findings);
