#include "wizard/hyperlink_rules.h"

namespace lumora {

ColourRef LinkTextColour(const LinkColours& colours, bool hovering, bool visited) {
  if (hovering) return colours.hover;
  if (visited) return colours.visited;
  return colours.normal;
}

LinkRect FitRectToText(const LinkRect& window, int clientWidth, int clientHeight, std::uint32_t style,
                       int textWidth, int textHeight) {
  const int width = textWidth + (window.Width() - clientWidth);
  const int height = textHeight + (window.Height() - clientHeight);
  LinkRect fitted = window;

  if (style & kStyleCentreImage) {
    const int shrink = (window.Height() - height) / 2;
    fitted.top += shrink;
    fitted.bottom -= shrink;
  } else {
    fitted.bottom = fitted.top + height;
  }

  if (style & kStyleCentre) {
    const int shrink = (window.Width() - width) / 2;
    fitted.left += shrink;
    fitted.right -= shrink;
  } else if (style & kStyleRight) {
    fitted.left = fitted.right - width;
  } else {
    fitted.right = fitted.left + width;
  }
  return fitted;
}

std::optional<std::u16string> HtmlFallbackCommand(std::u16string_view registeredCommand, std::u16string_view address) {
  std::u16string command(registeredCommand);
  std::size_t placeholder = command.find(u"\"%1\"");
  if (placeholder == std::u16string::npos) placeholder = command.find(u"%1");
  if (placeholder != std::u16string::npos) command.resize(placeholder);
  command += u' ';
  command += address;
  if (command.size() > kFallbackCommandMaxUnits) return std::nullopt;
  return command;
}

}  // namespace lumora
