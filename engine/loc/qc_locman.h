// Localisation tables: a spreadsheet saved as XML (Workbook / Worksheet / Table / Row / Cell / Data)
// read into entries of key and text, one per row, looked up by key. The caller picks which cell
// holds the key and which the text, so one workbook can carry several languages side by side.
#pragma once

#include <pugixml.hpp>

#include <cstdint>
#include <string>
#include <vector>

namespace QOR {

struct QC_LOCMAN_ENTRY {
  std::int32_t _id = 0;                   // the row's position in the table, from 1
  std::string _key = "Value not loaded";  // text of the key cell (UTF-8)
  std::string _value = "Value not loaded";

  // Logs "id" + id + " " + key + " " + value.
  void fPrint() const;
};

class QC_LOCMAN {
 public:
  QC_LOCMAN() = default;
  // The table owns its entries and frees them.
  ~QC_LOCMAN();
  QC_LOCMAN(const QC_LOCMAN&) = delete;
  QC_LOCMAN& operator=(const QC_LOCMAN&) = delete;

  // Appends one entry per row of the first worksheet's table under node's Workbook child. Columns
  // count cells from 1 by position; 0 means 1 for the key and 2 for the value. A row without any
  // cell holding a Data element gives no entry. Returns the number of entries held.
  int fInit(pugi::xml_node node, int keyColumn, int valueColumn);

  // The text of the first entry with exactly this key (valid while the table lives), else
  // "not found".
  const char* fGetValue(const char* key) const;
  const char* fGetValue(const std::string& key) const;
  // The text of the last entry with this id, else "not found".
  const char* fGetValueById(int id) const;

  int fGetCount() const { return _count; }
  int fGetKeyColumn() const { return _keyColumn; }
  int fGetValueColumn() const { return _valueColumn; }
  const std::vector<QC_LOCMAN_ENTRY*>& fGetEntries() const { return _entries; }

 private:
  std::vector<QC_LOCMAN_ENTRY*> _entries;
  std::int32_t _count = 0;
  std::int32_t _keyColumn = 0;
  std::int32_t _valueColumn = 0;
};

}  // namespace QOR
