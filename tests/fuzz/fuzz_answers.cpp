// libFuzzer target: Instal.exe's command line (the input's first line) and
// an answers file (the rest), applied over the pages' defaults. Besides not
// crashing: a refused answer leaves the choices as they were, and the file
// composed from accepted choices always reads back without a problem.
#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>

#include "wizard/portable/answers_file.h"
#include "wizard/portable/wizard_command.h"

namespace {

void Require(bool promise)
{
    if (!promise)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::string text(reinterpret_cast<const char*>(data), size);
    std::size_t lineEnd = std::min(text.find('\n'), text.size());
    CommandLine line = ParseCommandLine(text.substr(0, lineEnd).c_str());
    AnswersFile file = ParseAnswersFile(text.substr(std::min(lineEnd + 1, text.size())));
    Require((line.problem == CommandLineProblem::None) == (line.refusedPosition == 0));
    Require((file.problem == AnswersFileProblem::None) == (file.line == 0));

    InstallModel model;
    model.associations = {".kpj,Projecte,<AppDir>\\Kestrel.exe", ".kwn,Finestra,<AppDir>\\Kestrel.exe"};
    PageStart start = {{"C:\\Program Files\\Kestrel", "", "", true, "Kestrel 2.0"}, true, 2, true};
    const InstallChoices before = start.choices;
    if (ApplyAnswers(start, model, file.answers, line.answers).problem != AnswerProblem::None) {
        Require(std::memcmp(&start.choices, &before, sizeof before) == 0);
        return 0;
    }
    Require(std::strlen(start.choices.destination) <= kLongestDestination);
    Require(ParseAnswersFile(ComposeAnswersFile(start.choices, model)).problem == AnswersFileProblem::None);
    return 0;
}
