#include "engine/files/qc_zip_reader.h"

#include "engine/files/qc_pkware_cipher.h"
#include "host/regular_files.h"

#include <unzip.h>
#include <zlib.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <memory>
#include <system_error>

namespace QOR {

namespace {

// Zip names may be up to 65535 bytes long.
constexpr uLong kNameBufferSize = 65536;
// Deflate cannot expand by more than about 1032 to 1, so a larger declared size is corrupt and
// must not make us allocate it.
constexpr std::uint64_t kMaxInflateRatio = 1032;
constexpr std::uint16_t kMethodStored = 0;
constexpr std::uint16_t kMethodDeflated = 8;
// minizip reads at most an unsigned int at a time.
constexpr std::uint64_t kReadChunk = 1u << 20;

struct ArchiveCloser {
  void operator()(void* archive) const { unzClose(archive); }
};
using Archive = std::unique_ptr<void, ArchiveCloser>;

struct MallocFree {
  void operator()(std::uint8_t* block) const { std::free(block); }
};
using Block = std::unique_ptr<std::uint8_t, MallocFree>;

std::string withSlashes(std::string text) {
  std::replace(text.begin(), text.end(), '\\', '/');
  return text;
}

// minizip's stdio file calls, opening only a regular file and never waiting on a pipe or device.
voidpf ZCALLBACK openRegular(voidpf /*opaque*/, const void* path, int mode) {
  if ((mode & ZLIB_FILEFUNC_MODE_READWRITEFILTER) != ZLIB_FILEFUNC_MODE_READ) return nullptr;
  return host_files::fOpenRegularFile(static_cast<const char*>(path));
}

unzFile openArchive(const std::string& path) {
  zlib_filefunc64_def calls{};
  fill_fopen64_filefunc(&calls);
  calls.zopen64_file = &openRegular;
  return unzOpen2_64(path.c_str(), &calls);
}

// The current entry's information and name; false when its header cannot be read.
bool currentEntry(unzFile archive, unz_file_info64& info, char* buffer, std::string& name) {
  if (unzGetCurrentFileInfo64(archive, &info, buffer, kNameBufferSize - 1, nullptr, 0, nullptr, 0) != UNZ_OK) {
    return false;
  }
  name.assign(buffer, std::min<uLong>(info.size_filename, kNameBufferSize - 1));
  return true;
}

// Reads the open entry's raw bytes, exactly count of them.
bool readRaw(unzFile archive, std::uint8_t* target, std::uint64_t count) {
  std::uint64_t done = 0;
  while (done < count) {
    const unsigned chunk = static_cast<unsigned>(std::min(count - done, kReadChunk));
    const int got = unzReadCurrentFile(archive, target + done, chunk);
    if (got <= 0) return false;
    done += static_cast<std::uint64_t>(got);
  }
  return true;
}

// Inflates raw deflate data into exactly expected bytes; the output block has one spare byte so
// that a stream longer than declared is caught.
bool inflateExactly(const std::uint8_t* input, std::uint64_t inputSize, std::uint8_t* output, std::uint64_t expected) {
  z_stream stream{};
  if (inflateInit2(&stream, -MAX_WBITS) != Z_OK) return false;
  std::uint64_t inputLeft = inputSize;
  std::uint64_t outputLeft = expected + 1;
  stream.next_in = const_cast<Bytef*>(input);
  stream.next_out = output;
  int status = Z_OK;
  while (status == Z_OK) {
    if (stream.avail_in == 0) {
      stream.avail_in = static_cast<uInt>(std::min<std::uint64_t>(inputLeft, kReadChunk));
      inputLeft -= stream.avail_in;
    }
    if (stream.avail_out == 0) {
      stream.avail_out = static_cast<uInt>(std::min<std::uint64_t>(outputLeft, kReadChunk));
      outputLeft -= stream.avail_out;
    }
    const uInt inBefore = stream.avail_in;
    const uInt outBefore = stream.avail_out;
    status = inflate(&stream, Z_NO_FLUSH);
    // No progress with input and room left means the data ended before the stream did.
    if (status == Z_BUF_ERROR || (status == Z_OK && stream.avail_in == inBefore && stream.avail_out == outBefore)) {
      status = Z_DATA_ERROR;
    }
  }
  const bool complete = status == Z_STREAM_END && stream.total_out == expected;
  inflateEnd(&stream);
  return complete;
}

// Why a file is no archive that opens, judged from its first bytes: a local header at the start
// means the rest (the central directory at the end) was cut off.
QE_ZIP_RESULT fromFirstBytes(const std::string& path) {
  std::FILE* file = host_files::fOpenRegularFile(path.c_str());
  if (file == nullptr) return QE_ZIP_RESULT::MISSING;
  char signature[4] = {0, 0, 0, 0};
  const std::size_t count = std::fread(signature, 1, 4, file);
  std::fclose(file);
  if (count != 4) return QE_ZIP_RESULT::NOT_ARCHIVE;
  if (std::memcmp(signature, "PK\3\4", 4) == 0) return QE_ZIP_RESULT::TRUNCATED;
  if (std::memcmp(signature, "PK\5\6", 4) == 0) return QE_ZIP_RESULT::EMPTY;
  return QE_ZIP_RESULT::NOT_ARCHIVE;
}

}  // namespace

QE_ZIP_RESULT QC_ZIP_READER::fExamine(const std::string& path) {
  const std::string archivePath = withSlashes(path);
  const QE_ZIP_RESULT start = fromFirstBytes(archivePath);
  if (start != QE_ZIP_RESULT::TRUNCATED) return start;
  Archive archive(openArchive(archivePath.c_str()));
  if (!archive) return QE_ZIP_RESULT::TRUNCATED;
  if (unzGoToFirstFile(archive.get()) != UNZ_OK) return QE_ZIP_RESULT::NO_FIRST_ENTRY;
  const std::unique_ptr<char[]> buffer(new char[kNameBufferSize]);
  unz_file_info64 info{};
  std::string name;
  return currentEntry(archive.get(), info, buffer.get(), name) ? QE_ZIP_RESULT::OK : QE_ZIP_RESULT::NO_FIRST_ENTRY;
}

const char* QC_ZIP_READER::fDescribe(QE_ZIP_RESULT result) {
  switch (result) {
    case QE_ZIP_RESULT::OK:
      return "ok";
    case QE_ZIP_RESULT::MISSING:
      return "missing";
    case QE_ZIP_RESULT::NOT_ARCHIVE:
      return "not an archive";
    case QE_ZIP_RESULT::EMPTY:
      return "archive without entries";
    case QE_ZIP_RESULT::TRUNCATED:
    case QE_ZIP_RESULT::TRUNCATED_ENTRY:
      return "truncated";
    case QE_ZIP_RESULT::NO_FIRST_ENTRY:
      return "damaged directory";
    case QE_ZIP_RESULT::NOT_FOUND:
      return "entry not found";
    case QE_ZIP_RESULT::BAD_HEADER:
      return "damaged entry header";
    case QE_ZIP_RESULT::WRONG_PASSWORD:
      return "wrong password";
    case QE_ZIP_RESULT::UNSUPPORTED:
      return "unsupported method";
    case QE_ZIP_RESULT::DAMAGED:
      return "damaged data";
    case QE_ZIP_RESULT::NO_MEMORY:
      return "out of memory";
  }
  return "unknown";
}

bool QC_ZIP_READER::fListEntries(const std::string& path, std::vector<std::string>& names) {
  Archive archive(openArchive(withSlashes(path).c_str()));
  if (!archive) return false;
  if (unzGoToFirstFile(archive.get()) != UNZ_OK) return true;
  const std::unique_ptr<char[]> buffer(new char[kNameBufferSize]);
  unz_file_info64 info{};
  std::string name;
  do {
    if (!currentEntry(archive.get(), info, buffer.get(), name)) break;
    names.push_back(name);
  } while (unzGoToNextFile(archive.get()) == UNZ_OK);
  return true;
}

QE_ZIP_RESULT QC_ZIP_READER::fReadEntry(const std::string& path, const std::string& name, const std::string& password,
                                        void*& data, std::uint32_t& size) {
  const std::string archivePath = withSlashes(path);
  Archive archive(openArchive(archivePath.c_str()));
  if (!archive) return fromFirstBytes(archivePath);
  if (unzGoToFirstFile(archive.get()) != UNZ_OK) return QE_ZIP_RESULT::NO_FIRST_ENTRY;

  // The first entry of that name, in central-directory order.
  const std::string wanted = withSlashes(name);
  const std::unique_ptr<char[]> buffer(new char[kNameBufferSize]);
  unz_file_info64 info{};
  std::string entryName;
  bool found = false;
  do {
    if (currentEntry(archive.get(), info, buffer.get(), entryName) && withSlashes(entryName) == wanted) {
      found = true;
      break;
    }
  } while (unzGoToNextFile(archive.get()) == UNZ_OK);
  if (!found) return QE_ZIP_RESULT::NOT_FOUND;

  const auto flags = static_cast<std::uint16_t>(info.flag);
  const auto method = static_cast<std::uint16_t>(info.compression_method);
  const bool encrypted = (flags & QC_PKWARE_CIPHER::kFlagEncrypted) != 0;
  if ((flags & QC_PKWARE_CIPHER::kFlagStrongEncryption) != 0) return QE_ZIP_RESULT::UNSUPPORTED;
  if (method != kMethodStored && method != kMethodDeflated) return QE_ZIP_RESULT::UNSUPPORTED;

  // Declared sizes must fit the archive, our 32-bit size and the method before we allocate.
  std::error_code error;
  const std::uintmax_t archiveSize = std::filesystem::file_size(archivePath, error);
  const std::uint64_t packed = info.compressed_size;
  const std::uint64_t plain = info.uncompressed_size;
  const std::uint64_t header = encrypted ? QC_PKWARE_CIPHER::kHeaderSize : 0;
  if (error || packed > archiveSize) return QE_ZIP_RESULT::TRUNCATED_ENTRY;
  if (packed < header || plain >= 0xFFFFFFFFull) return QE_ZIP_RESULT::DAMAGED;
  const std::uint64_t payload = packed - header;
  if (method == kMethodStored && payload != plain) return QE_ZIP_RESULT::DAMAGED;
  if (method == kMethodDeflated && plain > (payload + 1) * kMaxInflateRatio) return QE_ZIP_RESULT::DAMAGED;

  int openedMethod = 0;
  int level = 0;
  if (unzOpenCurrentFile2(archive.get(), &openedMethod, &level, 1) != UNZ_OK) return QE_ZIP_RESULT::BAD_HEADER;
  // A stored entry is read (and decrypted) straight into the block handed out; a deflated one
  // into a block of its own that is inflated afterwards.
  const bool stored = method == kMethodStored;
  Block bytes(static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(plain + 1))));
  Block raw;
  if (!stored && bytes) {
    raw.reset(static_cast<std::uint8_t*>(std::malloc(static_cast<std::size_t>(std::max<std::uint64_t>(payload, 1)))));
  }
  if (!bytes || (!stored && !raw)) {
    unzCloseCurrentFile(archive.get());
    return QE_ZIP_RESULT::NO_MEMORY;
  }
  std::uint8_t* const target = stored ? bytes.get() : raw.get();
  std::uint8_t encryption[QC_PKWARE_CIPHER::kHeaderSize] = {};
  const bool complete = readRaw(archive.get(), encryption, header) && readRaw(archive.get(), target, payload);
  unzCloseCurrentFile(archive.get());
  if (!complete) return QE_ZIP_RESULT::TRUNCATED_ENTRY;

  if (encrypted) {
    QC_PKWARE_CIPHER cipher(password);
    cipher.fDecrypt(encryption, header);
    const auto dosTime = static_cast<std::uint16_t>(info.dosDate & 0xFFFFu);
    const std::uint8_t check = QC_PKWARE_CIPHER::fCheckByte(flags, static_cast<std::uint32_t>(info.crc), dosTime);
    if (encryption[header - 1] != check) return QE_ZIP_RESULT::WRONG_PASSWORD;
    cipher.fDecrypt(target, static_cast<std::size_t>(payload));
  }
  if (!stored && !inflateExactly(raw.get(), payload, bytes.get(), plain)) return QE_ZIP_RESULT::DAMAGED;
  raw.reset();
  bytes.get()[plain] = 0;

  uLong crc = crc32(0L, Z_NULL, 0);
  for (std::uint64_t done = 0; done < plain;) {
    const uInt chunk = static_cast<uInt>(std::min<std::uint64_t>(plain - done, kReadChunk));
    crc = crc32(crc, bytes.get() + done, chunk);
    done += chunk;
  }
  if (crc != info.crc) return QE_ZIP_RESULT::DAMAGED;

  data = bytes.release();
  size = static_cast<std::uint32_t>(plain);
  return QE_ZIP_RESULT::OK;
}

}  // namespace QOR
