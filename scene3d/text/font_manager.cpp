#include "scene3d/text/font_manager.h"

#include <algorithm>
#include <span>

#include "gfx3d/core/library_errors.h"
#include "gfx3d/gl/gl_binding.h"
#include "scene3d/text/space_text.h"

namespace {

bool SameNameIgnoringCase(const std::string& a, const std::string& b) {
  const auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
  return std::ranges::equal(a, b, [&](char x, char y) { return lower(x) == lower(y); });
}

void TellGone(const std::vector<TGLSpaceText*>& clients) {
  for (TGLSpaceText* client : clients) client->FontEntryReleased();
}

}  // namespace

TFontManager::~TFontManager() {
  for (const auto& entry : entries_) {
    entry->listHandle->DestroyHandle();
    TellGone(entry->clients);
  }
}

TFontEntry* TFontManager::FindFont(const std::string& name, TFontStyles style, float extrusion, float deviation,
                                   int first, int last) const {
  for (const auto& entry : entries_)
    if (SameNameIgnoringCase(entry->name, name) && entry->style == style && entry->extrusion == extrusion &&
        entry->allowedDeviation == deviation && entry->firstChar == first && entry->lastChar == last)
      return entry.get();
  return nullptr;
}

TFontEntry* TFontManager::GetFontBase(const std::string& name, TFontStyles style, TGLSpaceText* client, float extrusion,
                                      float deviation, int first, int last) {
  TFontEntry* entry = FindFont(name, style, extrusion, deviation, first, last);
  if (entry) {
    ++entry->refCount;
    if (std::ranges::find(entry->clients, client) == entry->clients.end()) entry->clients.push_back(client);
    if (entry->listHandle->Handle() != 0) return entry;
  } else {
    auto created = std::make_unique<TFontEntry>();
    created->name = name;
    created->listHandle = std::make_unique<TGLVirtualHandle>();
    created->style = style;
    created->extrusion = extrusion;
    created->refCount = 1;
    created->firstChar = first;
    created->lastChar = last;
    created->allowedDeviation = deviation;
    created->clients.push_back(client);
    entry = entries_.emplace_back(std::move(created)).get();
  }
  try {
    BuildLists(*entry);
  } catch (...) {
    Release(entry, client);
    throw;
  }
  return entry;
}

void TFontManager::BuildLists(TFontEntry& entry) {
  const int count = entry.CharCount();
  auto& gl = GL();
  const GLuint base = gl.glGenLists(count);
  if (base == 0) throw ELibraryError("FontManager: no more display lists available");
  entry.listHandle->OnAllocate = [base](TGLVirtualHandle*, GLuint& handle) { handle = base; };
  entry.listHandle->OnDestroy = [count](TGLVirtualHandle*, GLuint& handle) { GL().glDeleteLists(handle, count); };
  entry.listHandle->AllocateHandle();
  bool built = false;
  try {
    built =
        BuildOutlineGlyphLists(entry.name, entry.style, entry.firstChar, base, entry.allowedDeviation, entry.extrusion,
                               std::span(entry.glyphMetrics).first(static_cast<std::size_t>(count)));
  } catch (...) {
    entry.listHandle->DestroyHandle();
    throw;
  }
  if (!built) {
    entry.listHandle->DestroyHandle();
    throw ELibraryError("FontManager: font creation failed");
  }
}

void TFontManager::Release(TFontEntry* entry, TGLSpaceText* client) {
  --entry->refCount;
  if (client) {
    std::erase(entry->clients, client);
    client->FontEntryReleased();
  }
  if (entry->refCount > 0) return;
  entry->listHandle->DestroyHandle();
  const std::vector<TGLSpaceText*> remaining = std::move(entry->clients);
  std::erase_if(entries_, [entry](const auto& owned) { return owned.get() == entry; });
  TellGone(remaining);
}

TFontManager& FontManager() {
  static TFontManager manager;
  return manager;
}
