// Packs files and folders with the archive writer of the zip step, as the
// window does, for bench/zip.sh.
//
//   zip_bench [--level N] [--password PW] [--no-paths] ARCHIVE ITEM...
#include <cstdio>
#include <cstring>
#include <string>

#include "delivery/archive/archive_writer.h"

int main(int argc, char** argv) {
  kardomel::TArchiveInput input;
  int i = 1;
  for (; i < argc && argv[i][0] == '-'; ++i) {
    if (std::strcmp(argv[i], "--level") == 0 && i + 1 < argc)
      input.Level = std::atoi(argv[++i]);
    else if (std::strcmp(argv[i], "--password") == 0 && i + 1 < argc)
      input.Password = argv[++i];
    else if (std::strcmp(argv[i], "--no-paths") == 0)
      input.StorePaths = false;
    else
      break;
  }
  if (argc - i < 2) {
    std::fprintf(stderr, "usage: zip_bench [--level N] [--password PW] [--no-paths] ARCHIVE ITEM...\n");
    return 2;
  }
  input.ArchivePath = argv[i++];
  for (; i < argc; ++i) input.Items.push_back(argv[i]);
  try {
    kardomel::TArchiveEvents events;
    kardomel::TArchiveResult result = kardomel::MakeLibzipArchiveWriter()->Write(input, events);
    return result.Outcome == kardomel::TArchiveOutcome::Created ||
                   result.Outcome == kardomel::TArchiveOutcome::Replaced
               ? 0
               : 1;
  } catch (const std::exception& error) {
    std::fprintf(stderr, "%s\n", error.what());
    return 1;
  }
}
