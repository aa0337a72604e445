#include "framework/program_entry.h"

OpenedFiles openProgramFiles(int argc, char** argv, const ProgramSettings& settings) {
  OpenedFiles files;
  files.count = settings.files[2].defaultPath ? 3 : 2;
  int arguments = argc - 1;
  bool usePaths;
  if (files.count == 3) {
    usePaths = arguments == 3;
  } else {
    files.filterMode = settings.form == ProgramSettings::kFilter && arguments == 3;
    usePaths = arguments == 2 || files.filterMode;
  }
  for (int i = 0; i < files.count; ++i) {
    const ProgramFile& file = settings.files[i];
    const char* path = usePaths ? argv[i + 1] : file.defaultPath;
    files.paths[i] = path;
    files.modes[i] = file.mode;
    files.streams[i] = std::fopen(path, file.mode);
    if (files.streams[i] || file.optional) continue;
    std::fprintf(stderr, "Failed to open %s!\n", path);
    for (int j = 0; j < i; ++j) {
      if (files.streams[j]) std::fclose(files.streams[j]);
    }
    std::exit(1);
  }
  return files;
}

bool closeProgramFiles(const OpenedFiles& files) {
  bool good = true;
  for (int i = 0; i < files.count; ++i) {
    FILE* stream = files.streams[i];
    if (!stream) continue;
    bool failed = std::ferror(stream) != 0;
    if (std::fclose(stream) != 0) failed = true;
    // A full disk must not pass for a success.
    if (failed && files.modes[i][0] == 'w') {
      std::fprintf(stderr, "Failed to write %s!\n", files.paths[i]);
      good = false;
    }
  }
  return good;
}

void exitWithFailure(const VarnelException& failure) {
  std::fprintf(stderr, "%s\n", failure.message().c_str());
  std::exit(1);
}
