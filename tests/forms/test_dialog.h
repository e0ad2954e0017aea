#pragma once
// The empty dialog resource that the tests' forms of the dialog kind are
// created from (tests/forms/test_dialog.rc); their controls come from records.
#define IDD_TEST_DIALOG 900
