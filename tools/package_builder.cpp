// The package builder: publishers check list files and make, list, verify
// and unpack data packages with it, on Linux or Windows.
#include <cstdio>
#include <string>
#include <vector>

#include "tools/builder_options.h"
#include "tools/check_command.h"
#include "tools/inspect_commands.h"
#include "tools/pack_command.h"

int main(int argc, char** argv)
{
    std::vector<std::string> arguments(argv + 1, argv + argc);
    BuilderOptions options;
    std::string error;
    if (!ParseBuilderArguments(arguments, options, error)) {
        std::fprintf(stderr, "package_builder: %s\n%s", error.c_str(), kBuilderUsage);
        return 2;
    }
    switch (options.command) {
    case BuilderCommand::Help:
        std::fputs(kBuilderUsage, stdout);
        return 0;
    case BuilderCommand::Check:
        return RunCheck(options, stdout, stderr);
    case BuilderCommand::Pack:
        return RunPack(options, stderr, stderr);
    case BuilderCommand::List:
        return RunList(options, stdout, stderr);
    case BuilderCommand::Verify:
        return RunVerify(options, stdout, stderr);
    case BuilderCommand::Extract:
        return RunExtract(options, stdout, stderr);
    }
    return 2;
}
