// The text a link label shows for its markup: the links' "<a ...>" and
// "</a>" marks left out.
#pragma once

#include <string>
#include <string_view>

namespace tdialix {

std::wstring LinkDisplayText(std::wstring_view markup);

}  // namespace tdialix
