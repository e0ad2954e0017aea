#pragma once
// Kestrel's three form templates: the frame "Kestrel" (MDI frame kind, the
// main form), "Document" (an MDI child showing one document in a read-only
// text box) and "About" (dialog kind, shown modally).
#include "forms/object_record.h"

constexpr int kFrameTemplateRecords = 1;
constexpr int kDocumentTemplateRecords = 2;
constexpr int kAboutTemplateRecords = 3;

// Each template block (the form record first, then its controls) is built
// again on every call; the runtime copies it when a form is created.
const ObjectRecord* FrameTemplate(WNDPROC formProcedure);
const ObjectRecord* DocumentTemplate(WNDPROC formProcedure);
const ObjectRecord* AboutTemplate(WNDPROC formProcedure);
