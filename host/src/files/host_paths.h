// Path text as the stand-in's file calls receive it: either separator, made into a path here.
#pragma once

#include <string>

namespace host_detail {

// The path with every '\' turned into '/'; empty for a null text.
inline std::string fHostPath(const char* path) {
  std::string result = path != nullptr ? path : "";
  for (char& c : result) {
    if (c == '\\') c = '/';
  }
  return result;
}

}  // namespace host_detail
