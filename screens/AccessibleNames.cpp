#include "screens/AccessibleNames.h"

#include <iterator>

#include "cocos/base/Utf8.h"

namespace {

const SpokenKey kKeys[] = {
    // The keypad.
    {"num-0", "0", "Inserts the digit 0."},
    {"num-1", "1", "Inserts the digit 1."},
    {"num-2", "2", "Inserts the digit 2."},
    {"num-3", "3", "Inserts the digit 3."},
    {"num-4", "4", "Inserts the digit 4."},
    {"num-5", "5", "Inserts the digit 5."},
    {"num-6", "6", "Inserts the digit 6."},
    {"num-7", "7", "Inserts the digit 7."},
    {"num-8", "8", "Inserts the digit 8."},
    {"num-9", "9", "Inserts the digit 9."},
    {"open", "open parenthesis", "Inserts (."},
    {"close", "close parenthesis", "Inserts )."},
    {"mul", "times", "Inserts the multiplication sign."},
    {"div", "divided by", "Inserts the division sign."},
    {"add", "plus", "Inserts the plus sign."},
    {"sub", "minus", "Inserts the minus sign."},
    {"dot", "point", "Inserts the decimal point."},
    {"exp10", "times ten to the power", "Inserts e, the exponent: 1.5e3 is 1500."},
    {"comma", "comma", "Inserts a comma between the arguments of a function."},
    {"equal", "equals", "Calculates the line and puts it with its result on the tape."},

    // The first page of commands.
    {"shift", "shift", "Shows the second page of commands."},
    {"sq", "x squared", "Inserts sq(), the square."},
    {"sqrt", "square root", "Inserts sqrt(), the square root."},
    {"set", "store in memory", "Stores the line, or the newest result, in a memory slot."},
    {"get", "recall from memory", "Inserts the contents of a memory slot."},
    {"ans", "answer", "Inserts Ans, the newest result."},
    {"fact", "factorial", "Inserts fact(), the factorial."},
    {"inv", "reciprocal", "Inserts 1/(), one divided by the number."},
    {"power", "x to the power y", "Inserts pow(,), the first number to the power of the second."},
    {"log", "log", "Inserts log(), the logarithm to base 10."},
    {"ln", "natural log", "Inserts ln(), the natural logarithm."},
    {"exp", "e to the power x", "Inserts exp(), the exponential function."},
    {"hyp", "hyperbolic", "Inserts hyp, which makes the next sine, cosine or tangent hyperbolic."},
    {"sin", "sine", "Inserts sin()."},
    {"cos", "cosine", "Inserts cos()."},
    {"tan", "tangent", "Inserts tan()."},
    {"deg", "degrees", "Inserts deg: the number before it is in degrees."},
    {"PAI", "pi", "Inserts Pi."},
    {"up", "previous entry", "Recalls an older entry of the tape into the line."},
    {"down", "next entry", "Recalls a newer entry of the tape into the line."},
    {"left", "cursor left", "Moves the cursor one character to the left."},
    {"right", "cursor right", "Moves the cursor one character to the right."},
    {"del", "delete", "Erases the character after the cursor."},
    {"bs", "backspace", "Erases the character before the cursor."},

    // The second page, in the same cells.
    {"shift2", "shift, second page", "Returns to the first page of commands."},
    {"cube", "x cubed", "Inserts cube(), the cube."},
    {"cubert", "cube root", "Inserts cubert(), the cube root."},
    {"int", "integer part", "Inserts int(), the integer part."},
    {"rand", "random number", "Inserts rand(), a random number."},
    {"sqsum", "sum of squares", "Inserts sqsum(,), the sum of the squares of the numbers."},
    {"percent", "percent", "Inserts %, which divides the number before it by 100."},
    {"perm", "permutations", "Inserts perm(,), the number of ordered selections."},
    {"comb", "combinations", "Inserts comb(,), the number of unordered selections."},
    {"avg", "average", "Inserts avg(,), the mean of the numbers."},
    {"stdevp", "population standard deviation", "Inserts stdevp(,)."},
    {"stdev", "sample standard deviation", "Inserts stdev(,)."},
    {"todeg", "radians to degrees", "Inserts deg(), which converts radians to degrees."},
    {"asin", "arc sine", "Inserts asin()."},
    {"acos", "arc cosine", "Inserts acos()."},
    {"atan", "arc tangent", "Inserts atan()."},
    {"gcd", "greatest common divisor", "Inserts gcd(,)."},
    {"lcm", "least common multiple", "Inserts lcm(,)."},
    {"copy", "copy", "Copies the line, or the newest result when the line is empty."},
    {"paste", "paste", "Inserts the text on the clipboard."},
    {"info", "information", "Shows the version and the authors."},
    {"help", "help", "Opens the help page in the web browser."},
    {"star", "rate", "Opens the program's page in the store."},
    {"stg", "settings", "Opens the settings."},

    // The other screens.
    {"Back", "back", "Returns to the calculator."},
};

// Enough of a line to recognise it; the line itself is published whole.
constexpr std::size_t kSpokenLineCharacters = 100;

const char* const kSettingsRows[] = {
    "Switches the language between Japanese and English.",
    "Changes the background colour.",
    "Turns the key click on or off.",
    "Turns the grouping of digits in results on or off.",
    "Turns the falling of erased characters on or off.",
};

}  // namespace

const SpokenKey* spokenKey(const std::string& image) {
  for (const SpokenKey& key : kKeys) {
    if (image == key.image) return &key;
  }
  return nullptr;
}

const SpokenKey* spokenKeysBegin() { return std::begin(kKeys); }
const SpokenKey* spokenKeysEnd() { return std::end(kKeys); }

const char* settingsRowDescription(int row) {
  if (row < 0 || row >= static_cast<int>(std::size(kSettingsRows))) return nullptr;
  return kSettingsRows[row];
}

std::string spokenLine(const std::string& operation, const std::string& line) {
  if (line.empty()) return operation + ": empty line";
  std::size_t end = 0;
  for (std::size_t n = 0; n < kSpokenLineCharacters && end < line.size(); ++n) end = cocos2d::nextUtf8Boundary(line, end);
  std::string spoken = operation + ": " + line.substr(0, end);
  if (end < line.size()) spoken += "\xE2\x80\xA6";  // an ellipsis: there is more
  return spoken;
}
