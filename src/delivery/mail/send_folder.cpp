#include "delivery/mail/send_folder.h"

#include <stdlib.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <ctime>
#include <vector>

#include "support/errors.h"
#include "support/globals.h"

namespace kardomel {

std::string MakeSendFolder(TEnv& env) {
  std::string pattern = AddBackslash(env.TempDir()) + kSendFolderPrefix + "XXXXXX";
  std::vector<char> buffer(pattern.begin(), pattern.end());
  buffer.push_back('\0');
  if (::mkdtemp(buffer.data()) == nullptr) RaiseLastOSError();
  return std::string(buffer.data()) + "/";
}

namespace {

bool IsSendFolderName(const std::string& name) {
  const size_t prefix = std::strlen(kSendFolderPrefix);
  return name.size() == prefix + 6 && name.compare(0, prefix, kSendFolderPrefix) == 0;
}

}  // namespace

bool RemoveFolderTree(TEnv& env, const std::string& folder) {
  const std::string path = AddBackslash(folder);
  for (const std::string& name : env.ListFolder(path)) {
    if (env.IsFolder(path + name)) RemoveFolderTree(env, path + name);
    else env.DeleteEntry(path + name);
  }
  std::string bare = path;
  while (bare.size() > 1 && bare.back() == '/') bare.pop_back();
  return env.DeleteEntry(bare) || !env.EntryExists(bare);
}

int RemoveStaleSendFolders(TEnv& env, int64_t nowSeconds) {
  const std::string temp = AddBackslash(env.TempDir());
  int removed = 0;
  for (const std::string& name : env.ListFolder(temp)) {
    if (!IsSendFolderName(name)) continue;
    const std::string path = temp + name;
    // lstat: a link named like a send folder is not ours to follow.
    struct stat info;
    if (::lstat(path.c_str(), &info) != 0 || !S_ISDIR(info.st_mode) || info.st_uid != ::getuid())
      continue;
    if (nowSeconds - static_cast<int64_t>(info.st_mtime) <= kSendFolderLifetimeSeconds) continue;
    if (RemoveFolderTree(env, path)) ++removed;
  }
  return removed;
}

int RemoveStaleSendFolders(TEnv& env) {
  return RemoveStaleSendFolders(env, static_cast<int64_t>(std::time(nullptr)));
}

std::string MailSafeName(const std::string& name) {
  std::string out = name;
  for (char& c : out) {
    if (c == ',' || c == '\'' || c == '\\') c = '_';
  }
  return out;
}

}  // namespace kardomel
