// One registered pack: a plain folder of loose files or a password zip archive, with one record
// per file or entry, keyed by the record's name.
#pragma once

#include "engine/files/qs_resource.h"

#include <map>
#include <string>
#include <vector>

namespace QOR {

class QC_RESOURCE_PACK {
 public:
  QC_RESOURCE_PACK(const std::string& name, const std::string& password);
  // Frees every record it holds (and what each record still holds).
  ~QC_RESOURCE_PACK();
  QC_RESOURCE_PACK(const QC_RESOURCE_PACK&) = delete;
  QC_RESOURCE_PACK& operator=(const QC_RESOURCE_PACK&) = delete;

  // A new pack; a null password leaves the password empty.
  static QC_RESOURCE_PACK* fNew(const char* name, const char* password);

  // Stores the record under its name; a later record of the same name takes the name over (the
  // earlier one is kept aside and freed with the pack, so nothing that points at it dangles).
  void fAdd(QS_RESOURCE* record);
  // The record of that name (exact, case-sensitive), or null.
  QS_RESOURCE* fFind(const std::string& name) const;
  // Takes the record of that name out of the pack and hands it to the caller; null when absent.
  QS_RESOURCE* fTake(const std::string& name);
  int fGetCount() const { return static_cast<int>(_entries.size()); }
  const std::map<std::string, QS_RESOURCE*>& fGetEntries() const { return _entries; }
  // The first record, in name order, whose data is this pointer; null for a null pointer.
  QS_RESOURCE* fFindByData(const void* data) const;
  // Releases every ready record nobody subscribes; the number released.
  int fReleaseUnused();
  // Logs every entry name on its own line, or the pack name + " is empty ".
  void fLogEntries() const;

  const std::string& fGetName() const { return _name; }
  const std::string& fGetPassword() const { return _password; }

  // Frees a record together with whatever object it still holds.
  static void fDiscard(QS_RESOURCE* record);

 private:
  std::string _name;
  std::string _password;
  std::map<std::string, QS_RESOURCE*> _entries;
  std::vector<QS_RESOURCE*> _replaced;
};

}  // namespace QOR
