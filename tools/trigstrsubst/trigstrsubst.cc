#include "tools/trigstrsubst/trigstrsubst.h"

#include <cstdint>
#include <cstring>

#include "framework/number_format.h"

namespace {

constexpr std::string_view kHeader = "STRING ";
constexpr std::string_view kReference = "TRIGSTR_";
constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void writeMessage(FILE* err, const std::string& message) {
  std::fwrite(message.data(), 1, message.size(), err);
  std::fflush(err);
}

// "<what><line> at line <number>\n"
void reportLine(FILE* err, std::string_view what, std::string_view line, int number) {
  std::string message(what);
  message.append(line);
  message += " at line ";
  message += std::to_string(number);
  message += '\n';
  writeMessage(err, message);
}

// The same about the line just read.
void reportLine(FILE* err, std::string_view what, const LineSource& lines) {
  reportLine(err, what, lines.text(), lines.number());
}

void reportPath(FILE* err, const char* what, const char* path) {
  std::string message(what);
  message += path;
  message += "!\n";
  writeMessage(err, message);
}

bool inTable(int64_t number) { return number >= 0 && number < kStringSlots; }

}  // namespace

void LineSource::skipByteOrderMark() {
  // A read of three characters at most: a line shorter than that ends in
  // its line feed and is line 1 as it stands.
  long got = reader_.readLine(pending_, sizeof pending_);
  if (got <= 0) return;
  if (std::string_view(pending_, got) == kByteOrderMark) return;
  pendingLength_ = static_cast<std::size_t>(got);
}

bool LineSource::next() {
  std::size_t stored = 0;
  if (pendingLength_ > 0) {
    std::memcpy(line_, pending_, pendingLength_);
    stored = pendingLength_;
    pendingLength_ = 0;
    if (line_[stored - 1] != '\n') {
      // The rest of the read the characters ahead began.
      long got = reader_.readLine(line_ + stored, sizeof line_ - stored);
      if (got > 0) stored += static_cast<std::size_t>(got);
    }
  } else {
    long got = reader_.readLine(line_, sizeof line_);
    if (got < 0) return false;
    stored = static_cast<std::size_t>(got);
  }
  std::size_t end = 0;
  while (end < stored && line_[end] != '\r' && line_[end] != '\n') ++end;
  length_ = end;
  ++number_;
  return true;
}

bool StringTable::load(FILE* file, FILE* err) {
  for (std::string& slot : slots_) slot.clear();
  LineSource lines(file);
  lines.skipByteOrderMark();
  std::string header;
  std::string body;
  while (lines.next()) {
    if (!lines.text().starts_with(kHeader)) continue;
    header = lines.text();
    int headerLine = lines.number();
    // No digits leave the number 0.
    int64_t number = 0;
    parseInteger(header.c_str() + kHeader.size(), &number);

    // Comment lines, then the opening brace.
    bool more = lines.next();
    while (more && lines.text().starts_with("//")) more = lines.next();
    if (!more || lines.text() != "{") {
      reportLine(err, "Expected \"{\", got ", lines);
      return false;
    }

    body.clear();
    bool firstLine = true;
    bool tooLong = false;
    while (lines.next() && lines.text() != "}") {
      if (tooLong) continue;
      std::size_t added = lines.text().size() + (firstLine ? 0 : 2);
      if (body.size() + added > kWorkChars) {
        tooLong = true;
        continue;
      }
      if (!firstLine) body += "\r\n";
      body.append(lines.text());
      firstLine = false;
    }

    if (tooLong) {
      reportLine(err, "Ignoring string longer than 7999 characters in ", header, headerLine);
    } else if (!body.empty()) {
      if (inTable(number)) {
        slots_[static_cast<std::size_t>(number)] = body;
      } else {
        reportLine(err, "Ignoring string number outside 0 to 15999 in ", header, headerLine);
      }
    }
  }
  return true;
}

const std::string* StringTable::find(int number) const {
  if (!inTable(number)) return nullptr;
  const std::string& slot = slots_[static_cast<std::size_t>(number)];
  return slot.empty() ? nullptr : &slot;
}

bool substituteStrings(const StringTable& table, FILE* input, TextWriter& output,
                       FILE* err) {
  LineSource lines(input);
  while (lines.next()) {
    std::string_view line = lines.text();
    std::size_t found = line.find(kReference);
    if (found == std::string_view::npos) {
      output.write(line);
      output.put('\n');
      continue;
    }

    std::size_t numberStart = found + kReference.size();
    std::size_t numberEnd = line.find_first_of(" \"", numberStart);
    if (numberEnd == std::string_view::npos) numberEnd = line.size();
    std::string_view numberText = line.substr(numberStart, numberEnd - numberStart);
    if (numberText.size() > kNumberChars) {
      reportLine(err, "String number longer than 15 characters in ", lines);
      return false;
    }
    int64_t number = 0;
    if (!parseInteger(std::string(numberText).c_str(), &number)) {
      reportLine(err, "Failed to parse string number in ", lines);
      return false;
    }

    const std::string* text = nullptr;
    if (!inTable(number)) {
      reportLine(err, "Substituting empty string for number outside 0 to 15999 in ", lines);
    } else {
      text = table.find(static_cast<int>(number));
      if (!text) reportLine(err, "Substituting empty string in ", lines);
    }

    std::string_view before = line.substr(0, found);
    std::string_view after = line.substr(numberEnd);
    std::size_t length = before.size() + (text ? text->size() : 0) + after.size();
    if (length > kWorkChars) {
      reportLine(err, "Output line longer than 7999 characters in ", lines);
      return false;
    }
    output.write(before);
    if (text) output.write(*text);
    output.write(after);
    output.put('\n');
  }
  return true;
}

SubstitutionPaths pickSubstitutionPaths(int argc, const char* const* argv) {
  SubstitutionPaths paths;
  int count = argc - 1;
  if (count >= 1 && count <= 3) paths.text = argv[1];
  if (count >= 2 && count <= 3) paths.output = argv[2];
  if (count == 3) paths.strings = argv[3];
  return paths;
}

int runTrigStrSubst(int argc, const char* const* argv, FILE* err) {
  SubstitutionPaths paths = pickSubstitutionPaths(argc, argv);

  StringTable table;
  {
    FILE* strings = std::fopen(paths.strings, "r");
    if (!strings) {
      reportPath(err, "Failed to open ", paths.strings);
      return 1;
    }
    bool loaded = table.load(strings, err);
    // A read error ends the lines early, as the end of the file would.
    bool readWhole = !std::ferror(strings);
    std::fclose(strings);
    if (!readWhole) {
      reportPath(err, "Failed to read ", paths.strings);
      return 1;
    }
    if (!loaded) return 1;
  }

  FILE* input = std::fopen(paths.text, "r");
  if (!input) {
    reportPath(err, "Failed to open ", paths.text);
    return 1;
  }
  FILE* outputFile = std::fopen(paths.output, "w");
  if (!outputFile) {
    reportPath(err, "Failed to open ", paths.output);
    std::fclose(input);
    return 1;
  }
  bool done;
  bool written;
  {
    TextWriter output(outputFile);
    done = substituteStrings(table, input, output, err);
    written = output.close();
  }
  bool readWhole = !std::ferror(input);
  std::fclose(input);
  if (done && !readWhole) {
    reportPath(err, "Failed to read ", paths.text);
    return 1;
  }
  if (!written) {
    reportPath(err, "Failed to write ", paths.output);
    return 1;
  }
  return done ? 0 : 1;
}
