// The compound-file container of binary Office documents: a small file
// system of sector chains (FAT, mini stream, directory) holding named streams.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vx {

// Why a container could not be read. kNotCompound: the first bytes are not the
// container's signature; kDamaged: a header field, a chain or a directory
// entry points outside the file, loops, or is inconsistent.
enum class CompoundStatus { kOk, kNotCompound, kDamaged, kNoSuchStream };

struct CompoundStream {
  CompoundStatus status = CompoundStatus::kOk;
  std::string bytes;  // the stream's content, exactly its recorded size
};

// True when the bytes begin with the container's 8-byte signature.
bool HasCompoundSignature(const std::string& bytes);

// The content of the first stream whose name is one of names (matched without
// regard to ASCII case), looked up in the directory of the container held in
// bytes. Every sector number is checked against the file, every chain is
// followed at most once per sector (a loop is damage), and a stream is never
// longer than its chain. Never throws except std::bad_alloc.
CompoundStream ReadCompoundStream(const std::string& bytes, const std::vector<std::string>& names);

}  // namespace vx
