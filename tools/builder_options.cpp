#include "tools/builder_options.h"

#include <cstdlib>

#include "tools/file_time.h"

const char kBuilderUsage[] =
    "Usage:\n"
    "  package_builder check LISTFILE [FOLDER]\n"
    "      Reads the list file as the wizard will and reports every mistake found,\n"
    "      one per line, as FILE:LINE: error: ... or FILE:LINE: warning: ...\n"
    "      With FOLDER it also compares the listed files with their size fields\n"
    "      and the progress total. Exit status 1 when there is an error.\n"
    "      Example:\n"
    "        Setup.lst:12: error: the entry count is 9, but 7 file lines follow\n"
    "        Setup.lst:15: error: the target folder \"<AppDri>\\Exemples\" is neither an\n"
    "          absolute path nor begins with <WinDir>, <WinSysDir>, <Fonts> or <AppDir>\n"
    "        Setup.lst:19: warning: Kestrel.chm is 220 bytes, but its size field says 999999\n"
    "        Setup.lst: 2 errors, 1 warning\n"
    "  package_builder pack LISTFILE FOLDER [options]\n"
    "      Writes a data package from a list file and the folder that holds\n"
    "      AppLogo.bmp, KSUninst.exe and every file its file lines name.\n"
    "      Runs the checks of \"check\" first and writes nothing when they find an error.\n"
    "      --force                  packs in spite of errors, unless files are missing,\n"
    "                               names unsafe or the list unreadable to the wizard\n"
    "      --fix-totals             the package's copy of the list file gets the progress\n"
    "                               total and size fields the files make (LISTFILE is\n"
    "                               left as it is)\n"
    "      -o, --output FILE        package to write (default _Data.001)\n"
    "      --selector 1|2|3         list-file name inside the package: Instal.lst,\n"
    "                               Setup.lst or Instalar.lst (default: from LISTFILE's name)\n"
    "      --level 0-9              zlib compression level (default 6)\n"
    "      --jobs N                 entries compressed at once (default: one per core)\n"
    "      --attributes [NAME=]HEX  attribute word for NAME, or for every entry;\n"
    "                               FFFFFFFF keeps the attributes the file is created with\n"
    "      --time [NAME=]YYYY-MM-DDTHH:MM:SS\n"
    "                               the three file times (UTC) for NAME, or for every entry\n"
    "      -q, --quiet              no progress lines\n"
    "  package_builder list PACKAGE      entries, sizes and ratios\n"
    "  package_builder verify PACKAGE    checks every stream, size and count\n"
    "  package_builder extract PACKAGE FOLDER\n"
    "                                    writes every entry into FOLDER\n"
    "  package_builder --help\n"
    "Exit status: 0 on success, 1 on a failure, 2 on a usage error.\n";

namespace {

bool ParseInteger(const std::string& text, int low, int high, int& value)
{
    char* end = nullptr;
    long number = std::strtol(text.c_str(), &end, 10);
    if (text.empty() || *end != '\0' || number < low || number > high)
        return false;
    value = static_cast<int>(number);
    return true;
}

// "[NAME=]VALUE": the name before the last "=" (times hold none).
void SplitOverride(const std::string& text, std::string& name, std::string& value)
{
    std::size_t equals = text.rfind('=');
    name = equals == std::string::npos ? "" : text.substr(0, equals);
    value = equals == std::string::npos ? text : text.substr(equals + 1);
}

bool ParseOverride(const std::string& option, const std::string& text, StampOverride& result, std::string& error)
{
    std::string value;
    SplitOverride(text, result.name, value);
    result.isTime = option == "--time";
    if (result.isTime) {
        if (ParseFileTimeText(value, result.value))
            return true;
        error = "--time wants YYYY-MM-DDTHH:MM:SS, not \"" + value + "\"";
        return false;
    }
    char* end = nullptr;
    unsigned long long word = std::strtoull(value.c_str(), &end, 16);
    if (value.empty() || *end != '\0' || word > 0xFFFFFFFFull) {
        error = "--attributes wants a hexadecimal word, not \"" + value + "\"";
        return false;
    }
    result.value = word;
    return true;
}

// Takes an option at index i (and its value); false with a reason.
bool ParseOption(const std::vector<std::string>& arguments, std::size_t& i, BuilderOptions& options,
                 std::string& error)
{
    const std::string& option = arguments[i];
    if (option == "-q" || option == "--quiet") {
        options.quiet = true;
        return true;
    }
    if (option == "--force") {
        options.force = true;
        return true;
    }
    if (option == "--fix-totals") {
        options.fixTotals = true;
        return true;
    }
    if (i + 1 >= arguments.size()) {
        error = "option " + option + " needs a value";
        return false;
    }
    const std::string& value = arguments[++i];
    if (option == "-o" || option == "--output") {
        options.output = value;
        return true;
    }
    if (option == "--selector") {
        if (ParseInteger(value, 1, 3, options.selector))
            return true;
        error = "--selector must be 1, 2 or 3";
        return false;
    }
    if (option == "--level") {
        if (ParseInteger(value, 0, 9, options.level))
            return true;
        error = "--level must be 0 to 9";
        return false;
    }
    if (option == "--jobs") {
        int jobs = 0;
        if (ParseInteger(value, 1, 256, jobs)) {
            options.jobs = static_cast<unsigned>(jobs);
            return true;
        }
        error = "--jobs must be 1 to 256";
        return false;
    }
    if (option == "--attributes" || option == "--time") {
        StampOverride stamp = {};
        if (!ParseOverride(option, value, stamp, error))
            return false;
        options.overrides.push_back(stamp);
        return true;
    }
    error = "unknown option " + option;
    return false;
}

struct CommandShape {
    const char* name;
    BuilderCommand command;
    std::size_t fewestOperands;
    std::size_t mostOperands;
    bool takesOptions;
};

const CommandShape kCommands[] = {
    {"check", BuilderCommand::Check, 1, 2, false},
    {"pack", BuilderCommand::Pack, 2, 2, true},
    {"list", BuilderCommand::List, 1, 1, false},
    {"verify", BuilderCommand::Verify, 1, 1, false},
    {"extract", BuilderCommand::Extract, 2, 2, false},
};

std::string DescribeOperands(const CommandShape& shape)
{
    std::string count = std::to_string(shape.fewestOperands);
    if (shape.mostOperands != shape.fewestOperands)
        count += " or " + std::to_string(shape.mostOperands);
    return std::string(shape.name) + " takes " + count + " operand" + (shape.mostOperands == 1 ? "" : "s");
}

}  // namespace

bool ParseBuilderArguments(const std::vector<std::string>& arguments, BuilderOptions& options,
                           std::string& error)
{
    if (arguments.empty()) {
        error = "no command given";
        return false;
    }
    if (arguments[0] == "--help" || arguments[0] == "-h" || arguments[0] == "help") {
        options.command = BuilderCommand::Help;
        return true;
    }
    const CommandShape* shape = nullptr;
    for (const CommandShape& candidate : kCommands)
        if (arguments[0] == candidate.name)
            shape = &candidate;
    if (shape == nullptr) {
        error = "unknown command " + arguments[0];
        return false;
    }
    options.command = shape->command;
    std::vector<std::string> operands;
    for (std::size_t i = 1; i < arguments.size(); ++i) {
        bool isOption = arguments[i].size() > 1 && arguments[i][0] == '-';
        if (isOption && arguments[i] == "--help") {
            options.command = BuilderCommand::Help;
            return true;
        }
        if (!isOption)
            operands.push_back(arguments[i]);
        else if (!shape->takesOptions) {
            error = std::string(shape->name) + " takes no options";
            return false;
        } else if (!ParseOption(arguments, i, options, error))
            return false;
    }
    if (operands.size() < shape->fewestOperands || operands.size() > shape->mostOperands) {
        error = DescribeOperands(*shape);
        return false;
    }
    if (shape->command == BuilderCommand::Pack || shape->command == BuilderCommand::Check) {
        options.listFile = operands[0];
        if (operands.size() > 1)
            options.folder = operands[1];
    } else {
        options.package = operands[0];
        if (shape->command == BuilderCommand::Extract)
            options.folder = operands[1];
    }
    return true;
}
