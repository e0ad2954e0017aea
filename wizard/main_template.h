#pragma once
// The wizard's one form template, "Main": the form and its 51 controls.
#include "forms/object_record.h"

constexpr int kMainTemplateRecords = 52;

// The template block (the form record first, then its controls depth-first),
// built on first use.
const ObjectRecord* MainTemplate();

// The template's application procedures: the form's, and the one shared by
// the three link labels that react to a click (stcKestrel, stcTallwood, stcAsm).
void SetMainTemplateProcedures(WNDPROC formProcedure, WNDPROC linkProcedure);

// Texts of the link labels.
extern const char kWebAddress[];
extern const char kProgramariAddress[];
extern const char kTallwoodAddress[];
extern const char kAsmAddress[];
