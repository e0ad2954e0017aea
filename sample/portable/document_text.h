#pragma once
// A document's bytes as a multi-line text box shows them.
#include <string>

// Every line break becomes CR LF (lone LF and lone CR included); a zero
// byte, which would end the text box's text early, becomes a blank.
std::string EditText(const std::string& bytes);
