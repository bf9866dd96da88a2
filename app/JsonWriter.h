// Builds one line of JSON. Strings are byte strings: valid UTF-8 passes through, control
// characters and bytes that are not UTF-8 are escaped as \u00XX (their Latin-1 reading).
#pragma once

#include <string>
#include <vector>

class JsonWriter {
 public:
  JsonWriter& beginObject();
  JsonWriter& endObject();
  JsonWriter& beginArray();
  JsonWriter& endArray();
  JsonWriter& key(const std::string& name);
  JsonWriter& value(const std::string& text);
  JsonWriter& value(const char* text) { return value(std::string(text)); }
  JsonWriter& value(long long number);
  JsonWriter& value(int number) { return value(static_cast<long long>(number)); }
  JsonWriter& value(unsigned number) { return value(static_cast<long long>(number)); }
  JsonWriter& value(double number);
  JsonWriter& value(bool flag);
  JsonWriter& null();
  JsonWriter& strings(const std::vector<std::string>& items);
  JsonWriter& numbers(const std::vector<double>& items);

  const std::string& text() const { return _out; }

 private:
  void separate();
  void raw(const std::string& s);

  std::string _out;
  std::vector<bool> _first;  // per open container: no element written yet
  bool _afterKey = false;
};

// The JSON string literal of a byte string, quotes included.
std::string jsonQuote(const std::string& bytes);
