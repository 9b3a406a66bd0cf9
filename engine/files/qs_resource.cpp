#include "engine/files/qs_resource.h"

namespace QOR {

QS_RESOURCE::QS_RESOURCE(const std::string& path) {
  const std::size_t slash = path.rfind('/');
  const std::size_t cut = slash == std::string::npos ? 0 : slash + 1;
  if (cut != path.size()) {
    _sgResName = path.substr(cut);
    _folder = path.substr(0, cut);
  } else {
    _sgResName = path;
  }
}

}  // namespace QOR
