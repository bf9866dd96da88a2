// The one preference read the engine needs: integer preferences by key with a default.
// The key/value store implements it; the engine holds a non-owning pointer to it.
#pragma once

class PreferenceSource {
 public:
  virtual ~PreferenceSource() = default;
  virtual int getIntegerForKey(const char* key, int defaultValue) = 0;
};

// Installs the source read by evaluateAndFormat; null means "never written" (defaults apply).
void setPreferenceSource(PreferenceSource* source);
PreferenceSource* preferenceSource();
