#include "spell/DctWriter.h"

#include <fstream>
#include <map>
#include <memory>

#include "spell/DictionaryFormat.h"

namespace {

struct BuildNode {
  unsigned char letter = 0;
  bool endsWord = false;
  std::map<unsigned char, std::unique_ptr<BuildNode>> children;
  std::uint32_t index = 0;
};

void putU32(std::string& out, std::uint32_t value) {
  for (int i = 0; i < 4; ++i) out += static_cast<char>(value >> (8 * i));
}

void putU16(std::string& out, std::uint32_t value) {
  out += static_cast<char>(value);
  out += static_cast<char>(value >> 8);
}

std::string trieBytes(const std::vector<AnsiString>& words) {
  std::map<unsigned char, std::unique_ptr<BuildNode>> roots;
  for (const AnsiString& word : words) {
    if (word.empty()) continue;
    auto* level = &roots;
    BuildNode* node = nullptr;
    for (char c : word) {
      auto& slot = (*level)[static_cast<unsigned char>(c)];
      if (!slot) {
        slot = std::make_unique<BuildNode>();
        slot->letter = static_cast<unsigned char>(c);
      }
      node = slot.get();
      level = &node->children;
    }
    node->endsWord = true;
  }
  // Breadth first, roots first.
  std::vector<BuildNode*> order;
  for (auto& [letter, root] : roots) order.push_back(root.get());
  for (std::size_t i = 0; i < order.size(); ++i)
    for (auto& [letter, child] : order[i]->children) order.push_back(child.get());
  if (roots.size() > 255) throw DctWriteError("words start with more than 255 letters");
  if (order.size() > 65536) throw DctWriteError("a trie holds more than 65,536 nodes");
  for (std::size_t i = 0; i < order.size(); ++i) order[i]->index = static_cast<std::uint32_t>(i);

  std::string nodes, lists;
  for (BuildNode* node : order) {
    const std::size_t count = node->children.size();
    std::uint32_t kind = 0, value = 0;
    if (count == 1) {
      kind = 1;
      value = node->children.begin()->second->index;
    } else if (count > 1) {
      kind = count <= 6 ? static_cast<std::uint32_t>(count) : 7;
      value = static_cast<std::uint32_t>(lists.size());
      if (kind == 7) lists += static_cast<char>(count);
      for (auto& [letter, child] : node->children) putU16(lists, child->index);
    }
    if (value > kNodeValueMask) throw DctWriteError("a trie's list area passes 1 MiB");
    putU32(nodes, static_cast<std::uint32_t>(node->letter) << 24 | (node->endsWord ? kNodeEndOfWord : 0) |
                      kind << kNodeKindShift | value);
  }
  std::string out;
  putU32(out, static_cast<std::uint32_t>(order.size()));
  putU32(out, static_cast<std::uint32_t>(lists.size()));
  out += nodes;
  out += lists;
  out += static_cast<char>(roots.size());
  for (auto& [letter, root] : roots) out += static_cast<char>(letter);
  for (auto& [letter, root] : roots) putU32(out, root->index);
  return out;
}

}  // namespace

std::string DctFileBytes(const AnsiString& Title, const AnsiString& Letters,
                         const std::vector<std::vector<AnsiString>>& Tries) {
  if (Title.size() > kDctTitleSize) throw DctWriteError("the title is longer than 25 bytes");
  if (Letters.size() > 255) throw DctWriteError("more than 255 letters");
  if (Tries.size() > 255) throw DctWriteError("more than 255 tries");
  std::string out(kDctLettersOffset, '\0');
  out.replace(kDctTitleOffset, Title.size(), Title);
  out[kDctTrieCountOffset] = static_cast<char>(Tries.size());
  out[kDctLetterCountOffset] = static_cast<char>(Letters.size());
  out += Letters;
  for (const std::vector<AnsiString>& words : Tries) out += trieBytes(words);
  return out;
}

void WriteDctFile(const std::string& path, const AnsiString& Title, const AnsiString& Letters,
                  const std::vector<std::vector<AnsiString>>& Tries) {
  const std::string bytes = DctFileBytes(Title, Letters, Tries);
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  if (!file.write(bytes.data(), static_cast<std::streamsize>(bytes.size())) || !file.flush())
    throw DctWriteError("cannot write " + path);
}
