#include "engine/loc/qc_locman.h"

#include "engine/service/qc_log.h"

namespace QOR {

namespace {

const char* const kNotFound = "not found";

// The cell's Data element: its first child, when that is an element.
pugi::xml_node cellData(pugi::xml_node cell) {
  pugi::xml_node data = cell.first_child();
  return data.type() == pugi::node_element ? data : pugi::xml_node();
}

// The text of a Data element: its first child when that is text; rich text (a first child that
// is an element) and an empty Data read as "".
std::string dataText(pugi::xml_node data) {
  const pugi::xml_node first = data.first_child();
  if (first.type() == pugi::node_pcdata || first.type() == pugi::node_cdata) return first.value();
  return std::string();
}

}  // namespace

void QC_LOCMAN_ENTRY::fPrint() const { fLog() << "id" << _id << " " << _key << " " << _value; }

QC_LOCMAN::~QC_LOCMAN() {
  for (QC_LOCMAN_ENTRY* entry : _entries) delete entry;
}

int QC_LOCMAN::fInit(pugi::xml_node node, int keyColumn, int valueColumn) {
  fLog("Locman init");
  _valueColumn = valueColumn != 0 ? valueColumn : 2;
  _keyColumn = keyColumn != 0 ? keyColumn : 1;

  const pugi::xml_node table = node.child("Workbook").child("Worksheet").child("Table");
  std::int32_t rowNumber = 1;
  for (pugi::xml_node row = table.child("Row"); row; row = row.next_sibling(), ++rowNumber) {
    QC_LOCMAN_ENTRY entry;
    entry._id = rowNumber;
    bool holdsData = false;
    std::int32_t column = 1;
    for (pugi::xml_node cell = row.first_child(); cell; cell = cell.next_sibling(), ++column) {
      const pugi::xml_node data = cellData(cell);
      if (data) holdsData = true;
      if (column == _keyColumn) entry._key = dataText(data);
      if (column == _valueColumn) entry._value = dataText(data);
    }
    // Rows with no cells or only empty cells (formatting rows of the sheet) carry no text.
    if (holdsData) _entries.push_back(new QC_LOCMAN_ENTRY(entry));
  }
  _count = static_cast<std::int32_t>(_entries.size());
  return _count;
}

const char* QC_LOCMAN::fGetValue(const char* key) const {
  if (key == nullptr) return kNotFound;
  for (const QC_LOCMAN_ENTRY* entry : _entries) {
    if (entry->_key == key) return entry->_value.c_str();
  }
  return kNotFound;
}

const char* QC_LOCMAN::fGetValue(const std::string& key) const {
  for (const QC_LOCMAN_ENTRY* entry : _entries) {
    if (entry->_key == key) return entry->_value.c_str();
  }
  return kNotFound;
}

const char* QC_LOCMAN::fGetValueById(int id) const {
  const char* found = kNotFound;
  for (const QC_LOCMAN_ENTRY* entry : _entries) {
    if (entry->_id == id) found = entry->_value.c_str();
  }
  return found;
}

}  // namespace QOR
