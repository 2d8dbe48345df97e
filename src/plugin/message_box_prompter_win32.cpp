#include "plugin/message_box_prompter_win32.h"

#include <windows.h>

#include "plugin/app_framework_win32.h"
#include "plugin/format_text.h"
#include "res/resource.h"

bool CMessageBoxPrompter::ConfirmContinue(std::string_view checkString) {
    if (m_format.empty()) {
        m_format = LoadResourceString(IDS_FOUND_PROMPT);
    }
    const std::string found(checkString);
    const std::string text = vorlent::FormatText(m_format.c_str(), found.c_str());
    return AppMessageBox(text.c_str(), MB_OKCANCEL) == IDOK;
}
