// Stands in for the product's uninstaller in tests: appends its command line
// to the file named by INSTAL_FAKE_LOG, sleeps INSTAL_FAKE_SLEEP milliseconds
// (200 unless given) and exits with INSTAL_FAKE_EXIT.
#include <windows.h>

#include <cstdio>
#include <cstdlib>

int main()
{
    char log[MAX_PATH] = "";
    char exitCode[16] = "0";
    char sleep[16] = "200";
    GetEnvironmentVariableA("INSTAL_FAKE_LOG", log, sizeof log);
    GetEnvironmentVariableA("INSTAL_FAKE_EXIT", exitCode, sizeof exitCode);
    GetEnvironmentVariableA("INSTAL_FAKE_SLEEP", sleep, sizeof sleep);
    if (log[0] != '\0') {
        FILE* file = std::fopen(log, "ab");
        if (file != nullptr) {
            std::fprintf(file, "%s\n", GetCommandLineA());
            std::fclose(file);
        }
    }
    Sleep(static_cast<DWORD>(std::atoi(sleep)));
    return std::atoi(exitCode);
}
