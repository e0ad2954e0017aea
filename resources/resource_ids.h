#pragma once
// Identifiers of the program's resources, shared by the .rc files and code.
#define IDI_INSTAL 101
#define IDC_INSTAL 100
#define IDR_ACCELERATORS 102
