#pragma once
// The layout of a main dictionary file (".dct", little-endian): a header with the title at 88
// (25 bytes), the number of tries N at 278 and of letters L at 279, the L letters from 280, then
// N tries. A trie: node count C (4 bytes), list-area size S (4), C nodes of 4 bytes, S bytes of
// child lists, the first-letter count F (1), F first letters, F roots (4 bytes each).
//
// A node: bits 24-31 its letter, bit 23 end of word, bits 20-22 the child kind K, bits 0-19 a
// value X. K 0: no children; 1: the one child is node X; 2-6: K 16-bit node indexes at list
// offset X; 7: at list offset X a count byte n, then n 16-bit node indexes.
#include <cstdint>
#include <string_view>

#include "framework/base/AnsiString.h"

constexpr std::size_t kDctTitleOffset = 88;
constexpr std::size_t kDctTitleSize = 25;
constexpr std::size_t kDctTrieCountOffset = 278;
constexpr std::size_t kDctLetterCountOffset = 279;
constexpr std::size_t kDctLettersOffset = 280;

constexpr std::uint32_t kNodeEndOfWord = 1u << 23;
constexpr unsigned kNodeKindShift = 20;
constexpr std::uint32_t kNodeValueMask = (1u << 20) - 1;

inline unsigned char NodeLetter(std::uint32_t node) { return static_cast<unsigned char>(node >> 24); }
inline bool NodeEndsWord(std::uint32_t node) { return (node & kNodeEndOfWord) != 0; }
inline unsigned NodeKind(std::uint32_t node) { return (node >> kNodeKindShift) & 7; }
inline std::uint32_t NodeValue(std::uint32_t node) { return node & kNodeValueMask; }

// The title field's text: up to its first zero byte, without trailing blanks.
AnsiString DctTitleText(std::string_view field);
