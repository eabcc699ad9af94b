#include "sheet/cmcMenuBody.h"

#include "overlay/cmcGTexBase.h"

cmcMenuBody::cmcMenuBody(cmcGTexBase& overlay, const std::string& name, cmcGTexBase* models)
    : name_(name), basic_(std::make_unique<cmcCellObj>()) {
  cmcGTexBase* cellModels = models ? models : &overlay;
  basic_->ParseCell(overlay.GetLine(name + "_BasicCell", 0), nullptr, nullptr, cellModels);
  const std::string body = name + "_Body";
  for (int line = 0;; ++line) {
    const std::string text = overlay.GetLine(body, line);
    if (!text.empty() && text[0] == '#') break;
    const size_t plus = text.find('+');
    Item& item = items_.emplace_back();
    item.depth = static_cast<int>(plus == std::string::npos ? text.size() : plus);
    const std::string_view descriptor =
        plus == std::string::npos ? std::string_view() : std::string_view(text).substr(plus + 1);
    item.cell.ParseCell(descriptor, nullptr, basic_.get(), cellModels);
  }
}
