#ifndef CHIRPWELL_BENCH_BENCHINPUTS_H
#define CHIRPWELL_BENCH_BENCHINPUTS_H

#include <string>
#include <vector>

// The texts the benchmarks run on, CP932, made by a fixed generator so that every run
// measures the same bytes. Each is built once, on first use.

// Tag-dense HTML with LF line ends, a little under the text limit; about a fifth
// of it is text.
const std::string& TagDenseHtml();

// Japanese lines of one or two characters ended by a lone LF, so many that making
// each LF a CR LF fills the text limit exactly.
const std::string& LfOnlyJapanese();

// Ordinary Japanese prose, sentences ending in "。" and clauses in "、", CR LF
// line ends; short enough for the built-in set to smile it at the default frequency.
const std::string& JapaneseProse();

// Comment-dense C source of a little under the text limit, with CR LF or LF ends.
const std::string& CommentDenseC(bool crLf);

// Text that is mostly "。" and "、", which at frequency 100 grows until the smiled
// length limit stops it.
const std::string& PunctuationDense();

// The first 260 KB or so of the prose, cut after a line end.
const std::string& ProseHalf();

// 100,000 distinct keys of 4 to 8 bytes, all starting with the lead byte of "。"
// and "、", in no particular order; at most two of them match at any position.
const std::vector<std::string>& ManyKeys();

#endif
