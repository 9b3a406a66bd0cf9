list(APPEND QOR_ENGINE_SOURCES
  files/qs_resource.cpp
  files/qc_pkware_cipher.cpp
  files/qc_zip_reader.cpp
  files/qc_file_system.cpp
  files/qc_file_system_list.cpp
  files/qc_file_system_load.cpp
  files/qc_file_system_private.cpp
  files/qc_private_folder.cpp
  files/replace_file.cpp
  files/unreadable_data.cpp
  files/well_formed_xml.cpp)
