#pragma once
// Names of the product's own files that the wizard, the uninstaller and the
// package tools all know: the data package, the two entries it carries
// before its listed files, and the uninstaller's second copy beside it.

constexpr char kPackageName[] = "_Data.001";
constexpr char kLogoName[] = "AppLogo.bmp";
constexpr char kUninstallerName[] = "KSUninst.exe";
constexpr char kUninstallerCopyName[] = "TWUninst.exe";
