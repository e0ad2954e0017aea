// Stands for a program that leaves the system's library search as it is:
// loads each library named on its command line by its bare name.
#include <windows.h>

int main(int argc, char** argv)
{
    for (int i = 1; i < argc; ++i)
        LoadLibraryA(argv[i]);
    return 0;
}
