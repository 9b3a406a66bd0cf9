#include "gui/factory/qc_form_element.h"

#include "engine/service/qc_globals.h"
#include "engine/service/qc_log.h"
#include "engine/service/qc_resource_loader.h"
#include "gui/factory/form_values.h"

namespace QOR {

bool QC_FORM_ELEMENT::isComplete(std::initializer_list<const char*> attributes) const {
  for (const char* attribute : attributes) {
    if (!has(attribute)) {
      fReport(std::string("without ") + attribute);
      return false;
    }
  }
  return true;
}

int QC_FORM_ELEMENT::fInt(const char* attribute) const { return fFormToInt(fText(attribute)); }

unsigned QC_FORM_ELEMENT::fUnsigned(const char* attribute) const { return fFormToUnsigned(fText(attribute)); }

bool QC_FORM_ELEMENT::fMeasure(const char* attribute, int& value) const {
  if (fFormToMeasure(fText(attribute), value)) return true;
  fReport(std::string(attribute) + " is not a usable number");
  return false;
}

bool QC_FORM_ELEMENT::fFloat(const char* attribute, float fallback, float& value) const {
  if (!has(attribute)) {
    value = fallback;
    return true;
  }
  if (fFormToFloat(fText(attribute), value)) return true;
  fReport(std::string(attribute) + " is not a usable number");
  return false;
}

bool QC_FORM_ELEMENT::fFloats(const char* attribute, int count, float* values) const {
  if (fFormFloats(fText(attribute), count, values)) return true;
  fReport(std::string(attribute) + " needs " + std::to_string(count) + " usable numbers");
  return false;
}

bool QC_FORM_ELEMENT::fChildFloats(const char* child, int count, float* values) const {
  if (fFormFloats(_node.child(child).text().get(), count, values)) return true;
  fReport(std::string(child) + " needs " + std::to_string(count) + " usable numbers");
  return false;
}

bool QC_FORM_ELEMENT::fChildInts(const char* child, int count, int* values) const {
  if (fFormInts(_node.child(child).text().get(), count, values)) return true;
  fReport(std::string(child) + " needs " + std::to_string(count) + " usable numbers");
  return false;
}

bool QC_FORM_ELEMENT::fColor(const char* attribute, std::uint32_t& argb) const {
  if (!has(attribute)) return false;
  if (fFormColor(fText(attribute), argb)) return true;
  fReport(std::string(attribute) + " needs 4 numbers");
  return false;
}

QC_TEXTURE_INFO* QC_FORM_ELEMENT::fImage(const char* attribute) const {
  if (qcRESOURCE_LOADER == nullptr) return nullptr;
  return qcRESOURCE_LOADER->fSubscribeImage(fText(attribute));
}

pugi::xml_node QC_FORM_ELEMENT::fFont(const char* attribute) const {
  if (qcRESOURCE_LOADER == nullptr) return pugi::xml_node();
  return qcRESOURCE_LOADER->fGetXmlDoc(fText(attribute))->child("font");
}

void QC_FORM_ELEMENT::fReport(const std::string& problem) const {
  fLog(std::string("GUI form: ") + fGetName() + " " + problem);
}

}  // namespace QOR
