#include "shell/indAboutText.h"

#include "overlay/cmcGTex.h"
#include "shell/indEnviron.h"

std::string indAboutText::Caption() const { return overlay_.GetText("GI_App_About_Caption"); }

std::string indAboutText::Button() const { return overlay_.GetText("GI_App_About_Button"); }

std::string indAboutText::Label() const {
  const std::string title =
      overlay_.GetText("GI_Sys_AppTitle") + "  " + Fill(overlay_.GetText("GI_App_About_Revision"), {environ_.revision});
  return Fill(overlay_.GetText("GI_App_About_Label_Reg"),
              {title, environ_.userName, environ_.companyName, environ_.serialNumber});
}

std::string indAboutText::Fill(const std::string& format, const std::vector<std::string>& arguments) {
  std::string out;
  size_t next = 0;
  for (size_t i = 0; i < format.size(); ++i) {
    if (format[i] == '%' && i + 1 < format.size()) {
      if (format[i + 1] == 's') {
        if (next < arguments.size()) out += arguments[next];
        ++next;
        ++i;
        continue;
      }
      if (format[i + 1] == '%') {
        out += '%';
        ++i;
        continue;
      }
    }
    out += format[i];
  }
  return out;
}
