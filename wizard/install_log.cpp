#include "wizard/install_log.h"

#include "base/run_log.h"
#include "wizard/portable/log_lines.h"

void LogFileDecisions(const InstallJob& job)
{
    for (const FileDecision& decision : job.fileDecisions)
        LogLine(DescribeFileDecision(decision));
    if (job.rolledBack)
        LogLine("Rolled back: the install's changes are undone.");
}

void LogChanges(Journal& journal)
{
    if (!IsJournalOpen(journal))
        return;
    for (const JournalRecord& record : ReadJournal(journal).records) {
        std::string change = DescribeChange(record);
        if (!change.empty())
            LogLine(change);
    }
}

void LogShellEntries(const InstallJob& job)
{
    const InstallChoices& choices = job.choices;
    if (choices.programGroup) {
        std::string items;
        for (const std::string& line : job.model->groupItems)
            items += (items.empty() ? "" : ", ") + line.substr(0, line.find(','));
        LogLine(std::string("Program group: ") + choices.groupName + " (" + items + ")");
        if (job.groupMadeAsFolder)
            LogLine("No program manager answered: the group was made as a folder of links.");
    }
    if (choices.desktopShortcut)
        LogLine("Desktop link: made");
}
