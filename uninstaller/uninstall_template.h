#pragma once
// The uninstaller's one form template, "Uninstall": a status label, a
// progress bar and a Cancel/Close button under a caption that names the
// product.
#include "forms/object_record.h"

constexpr int kUninstallTemplateRecords = 4;

// The template block (the form record first, then its controls), built on
// first use. The caption is copied and kept with the template.
const ObjectRecord* UninstallTemplate(const char* caption, WNDPROC formProcedure);
