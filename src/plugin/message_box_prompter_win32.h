#pragma once

#include <string>
#include <string_view>

#include "check/outgoing_check.h"

// Asks the user through the module's warning box, OK to go on, Cancel to stop.
// The prompt's text is loaded at the first prompt, so a send that finds
// nothing never touches the string table.
class CMessageBoxPrompter : public vorlent::Prompter {
  public:
    bool ConfirmContinue(std::string_view checkString) override;

  private:
    std::string m_format;
};
