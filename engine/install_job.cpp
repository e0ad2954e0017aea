#include "engine/install_job.h"

void ReleaseJobLists(InstallJob& job)
{
    ReleaseStringList(job.afterRestartRegistrations);
    ReleaseStringList(job.placedFiles);
}
