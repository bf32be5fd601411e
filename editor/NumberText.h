#pragma once
// Numbers typed into the text fields (trim, filter frequencies): a leading decimal number, as the
// C library's atof reads it, and 0 for anything else. Unlike atof it never answers NaN or an
// infinity ("nan", "inf", "1e999" read as 0), takes no hexadecimal, and ignores the locale, so a
// host that switched to a decimal comma still reads "3.5" as 3.5.

namespace velunor::editor {

double parseNumberText(const char* text);

}  // namespace velunor::editor
