#pragma once
#include "stats/RunRecord.h"
#include <iosfwd>
#include <string>
#include <vector>

// The statistics file: one record per finished run, as plain text.
//
//   2
//   start
//   scr 1200
//   acc 0.500000
//   tim 5400
//   enm grunt 12
//   end
//   start
//   ...
//
// Reading never fails: whatever is missing, broken or cut short is skipped, the
// complete records are kept and a one-line warning goes to stderr. A file with
// problems is copied to "<path>.broken" first, since the game later rewrites the
// file from the records it could read.

// Longest enemy name the file keeps; longer names are cut to this.
constexpr std::size_t kStatsNameMax = 31;
// More records than this in one file are not believed.
constexpr int kStatsMaxRecords = 100000;

// Reads the records of `path`; an empty list when the file is missing or unreadable.
std::vector<TRunRecord> ReadRunRecords(const std::string& path);

// Parses records from a stream. Problems are described in `warning` (empty when
// the input was sound) instead of being printed.
std::vector<TRunRecord> ParseRunRecords(std::istream& in, std::string& warning);

// Writes all records to `path.tmp` and renames it over `path`, so the old file
// stays whole if anything goes wrong. Enemy names are cut to kStatsNameMax bytes
// and any blank or control byte in them becomes '_', so each one stays a single
// word. Prints an error and returns false on failure.
// The file's text for these records.
std::string FormatRunRecords(const std::vector<TRunRecord>& records);
bool WriteRunRecords(const std::string& path, const std::vector<TRunRecord>& records);
