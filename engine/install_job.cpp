#include "engine/install_job.h"

namespace {

void DestroyList(StringList& list)
{
    if (list != nullptr)
        DestroyStringList(list);
    list = nullptr;
}

}  // namespace

void ReleaseJobLists(InstallJob& job)
{
    DestroyList(job.afterRestartRegistrations);
    DestroyList(job.copiedFiles);
    DestroyList(job.createdFolders);
}
