#include "tools/list_findings.h"

namespace {

struct FindingKind {
    FindingCode code;
    Severity severity;
    const char* message;
};

// Every finding of the check, with its words; {n} is the n-th blank.
const FindingKind kFindings[] = {
    {FindingCode::LineTooLong, Severity::Error, "the line has {1} characters; the wizard reads at most 259"},
    {FindingCode::NoEquals, Severity::Error, "the line has no \"=\" before its value"},
    {FindingCode::NoLineEnd, Severity::Error, "the line has no line end; the wizard's reader fails on it"},
    {FindingCode::FileEndsEarly, Severity::Error, "the file ends before the {1} line"},
    {FindingCode::EntryCountNotPositive, Severity::Error,
     "the entry count is {1}; the wizard needs at least one file line"},
    {FindingCode::CountMismatch, Severity::Error, "the {1} count is {2}, but {3}"},
    {FindingCode::FileLineFields, Severity::Error, "the file line has {1} fields instead of 8"},
    {FindingCode::UnsafeFileName, Severity::Error,
     "\"{1}\" is not a plain file name (no folder, drive, \"..\" or device name)"},
    {FindingCode::BadTargetFolder, Severity::Error,
     "the target folder \"{1}\" is neither an absolute path nor begins with <WinDir>, <WinSysDir>, <Fonts> "
     "or <AppDir>"},
    {FindingCode::TargetFolderBackslash, Severity::Error,
     "the target folder \"{1}\" ends in a backslash; the wizard cannot create it"},
    {FindingCode::DuplicateFileName, Severity::Error,
     "{1} is listed again (first on line {2}); the copy step moves it at the first line and cannot find it "
     "at this one"},
    {FindingCode::BadRegistryRoot, Severity::Error,
     "the registry root \"{1}\" is not a root code (80000000H to 80000006H)"},
    {FindingCode::GroupItemFields, Severity::Error, "the group item needs a title and a path: title,path"},
    {FindingCode::AssociationFields, Severity::Error,
     "the association line needs three fields: .ext,caption,program path"},
    {FindingCode::MissingFile, Severity::Error, "missing file {1}"},
    {FindingCode::SizeDiffers, Severity::Warning, "{1} is {2} bytes, but its size field says {3}"},
    {FindingCode::ProgressTotalDiffers, Severity::Warning,
     "the progress total is {1}, but the unpacked entries make {2} bytes"},
    {FindingCode::UnversionedLibrary, Severity::Warning,
     "{1} has no version and replace flag 0, so an existing copy is never replaced"},
    {FindingCode::ShortcutOutside, Severity::Warning,
     "the desktop shortcut's target \"{1}\" is outside the destination folder (<AppDir>)"},
    {FindingCode::GroupItemOutside, Severity::Warning,
     "the group item's path \"{1}\" is outside the destination folder"},
    {FindingCode::RegistryRootZero, Severity::Warning,
     "the registry root reads as 0; the wizard skips this line without a word"},
    {FindingCode::RegistryNoAt, Severity::Warning,
     "the third field has no \"@\"; the wizard skips this line without a word"},
    {FindingCode::RegistryDataNoMacro, Severity::Warning,
     "the data \"{1}\" does not begin with <WinDir>, <WinSysDir>, <Fonts> or <AppDir>; the wizard skips "
     "this line without a word"},
};

const FindingKind& KindOf(FindingCode code)
{
    for (const FindingKind& kind : kFindings)
        if (kind.code == code)
            return kind;
    return kFindings[0];
}

}  // namespace

Severity SeverityOf(FindingCode code)
{
    return KindOf(code).severity;
}

std::string FindingMessage(const Finding& finding)
{
    std::string text;
    for (const char* p = KindOf(finding.code).message; *p != '\0'; ++p) {
        if (p[0] == '{' && p[1] >= '1' && p[1] <= '9' && p[2] == '}') {
            std::size_t index = static_cast<std::size_t>(p[1] - '1');
            if (index < finding.blanks.size())
                text += finding.blanks[index];
            p += 2;
        } else {
            text += *p;
        }
    }
    return text;
}

std::string FormatFinding(const std::string& fileName, const Finding& finding)
{
    std::string where = fileName;
    if (finding.line != 0)
        where += ":" + std::to_string(finding.line);
    const char* severity = SeverityOf(finding.code) == Severity::Error ? "error" : "warning";
    return where + ": " + severity + ": " + FindingMessage(finding);
}

std::size_t CountErrors(const std::vector<Finding>& findings)
{
    std::size_t errors = 0;
    for (const Finding& finding : findings)
        if (SeverityOf(finding.code) == Severity::Error)
            ++errors;
    return errors;
}
