#pragma once

#include <string>
#include <string_view>

#include "check/outgoing_check.h"

// Asks the user through the module's warning box, OK to go on, Cancel to stop.
class CMessageBoxPrompter : public vorlent::Prompter {
  public:
    CMessageBoxPrompter();
    bool ConfirmContinue(std::string_view checkString) override;

  private:
    std::string m_format;
};
