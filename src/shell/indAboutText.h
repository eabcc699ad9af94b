#pragma once
// The texts of the About box: its caption, its button and its label, line 0 of
// "GI_App_About_Label_Reg" filled with the application title and revision, the user
// name, the company name and the serial number of the installation.
#include <string>
#include <vector>

class cmcGTex;
class indEnviron;

class indAboutText {
 public:
  indAboutText(cmcGTex& overlay, const indEnviron& environ) : overlay_(overlay), environ_(environ) {}

  std::string Caption() const;
  std::string Button() const;
  std::string Label() const;

  // The format with each "%s" replaced by the next argument (a missing one by nothing)
  // and "%%" by "%"; the arguments' own text is taken as it is.
  static std::string Fill(const std::string& format, const std::vector<std::string>& arguments);

 private:
  cmcGTex& overlay_;
  const indEnviron& environ_;
};
