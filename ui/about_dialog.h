#pragma once
// The about box: shown modally, closed with its OK button.
#include "res/resource.h"
#include "ui/framework/dialog.h"

namespace scourix {

class AboutDialog : public Dialog {
 public:
  AboutDialog() : Dialog(IDD_ABOUT) {}
};

}  // namespace scourix
