#include "tools/builder_options.h"

#include <cstdlib>

#include "tools/file_time.h"

const char kBuilderUsage[] =
    "Usage:\n"
    "  package_builder pack LISTFILE FOLDER [options]\n"
    "      Writes a data package from a list file and the folder that holds\n"
    "      AppLogo.bmp, KSUninst.exe and every file its file lines name.\n"
    "      -o, --output FILE        package to write (default _Data.001)\n"
    "      --selector 1|2|3         list-file name inside the package: Instal.lst,\n"
    "                               Setup.lst or Instalar.lst (default: from LISTFILE's name)\n"
    "      --level 0-9              zlib compression level (default 6)\n"
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
    std::size_t operands;
    bool takesOptions;
};

const CommandShape kCommands[] = {
    {"pack", BuilderCommand::Pack, 2, true},
    {"list", BuilderCommand::List, 1, false},
    {"verify", BuilderCommand::Verify, 1, false},
    {"extract", BuilderCommand::Extract, 2, false},
};

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
    if (operands.size() != shape->operands) {
        error = std::string(shape->name) + " takes " + std::to_string(shape->operands) + " operand" +
                (shape->operands == 1 ? "" : "s");
        return false;
    }
    if (shape->command == BuilderCommand::Pack) {
        options.listFile = operands[0];
        options.folder = operands[1];
    } else {
        options.package = operands[0];
        if (shape->command == BuilderCommand::Extract)
            options.folder = operands[1];
    }
    return true;
}
