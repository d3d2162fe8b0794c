#pragma once
// The product's web pages that the wizard opens: the FAQ page (finish page, Done)
// and the licence agreement (welcome page's EULA link).
namespace lumora {

inline constexpr wchar_t kFaqAddress[] = L"https://www.example.com/lumora/faq.html";
inline constexpr wchar_t kEulaAddress[] = L"https://www.example.com/lumora/eula.html";

}  // namespace lumora
