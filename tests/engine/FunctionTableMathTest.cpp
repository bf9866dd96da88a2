// What the function table's mathematics shows, the same with Linux's C library (engine_tests)
// and with engine/math as Windows has it (engine_portable_math_tests): NaN signs for arguments
// outside a domain and for NaN arguments, large arguments of sin, cos and tan, the ends of the
// double range.
#include <string>
#include <vector>

#include "EngineTestSupport.h"

namespace {

struct Case {
  const char* expression;
  const char* display;
};

class FunctionTableMath : public EngineTest {};

TEST_F(FunctionTableMath, NaNOutsideADomainHasTheSameSignEverywhere) {
  const std::vector<Case> cases = {
      {"sin(1e400)", "-nan"},   {"sin(-1e400)", "-nan"},  {"cos(1e400)", "-nan"},
      {"tan(-1e400)", "-nan"},  {"asin(2)", "nan"},       {"asin(-1.0000000000000002)", "nan"},
      {"asin(-1e400)", "nan"},  {"acos(1e400)", "nan"},   {"acos(-2)", "nan"},
      {"ln(-1)", "-nan"},       {"ln(-1e400)", "-nan"},   {"ln(-4.9e-324)", "-nan"},
      {"log(-1000)", "-nan"},   {"cubert(-8)", "-nan"},   {"pow(0,0)", "-nan"},
      {"sqrt(-1)", "-nan"},     {"hyptan(710)", "-nan"},  {"0/0", "-nan"},
  };
  for (const auto& c : cases) EXPECT_EQ(plain(c.expression), c.display) << c.expression;
}

// asin(2) is a NaN without its sign, 0/0 one with it; each function passes on the one it gets.
TEST_F(FunctionTableMath, NaNArgumentsKeepTheirSign) {
  for (const char* f : {"sin", "cos", "tan", "asin", "acos", "atan", "hypsin", "hypcos", "hyptan", "deg", "log",
                        "ln", "exp", "sq", "sqrt", "cube", "cubert"}) {
    EXPECT_EQ(plain(std::string(f) + "(asin(2))"), "nan") << f;
    EXPECT_EQ(plain(std::string(f) + "(0/0)"), "-nan") << f;
  }
  const std::vector<Case> cases = {
      {"atan(asin(2),1)", "nan"},     {"atan(1,0/0)", "-nan"},      {"atan(asin(2),0/0)", "-nan"},
      {"atan(0/0,asin(2))", "nan"},   {"pow(asin(2),2)", "nan"},    {"pow(2,0/0)", "-nan"},
  };
  for (const auto& c : cases) EXPECT_EQ(plain(c.expression), c.display) << c.expression;
}

TEST_F(FunctionTableMath, LargeAndAwkwardArguments) {
  const std::vector<Case> cases = {
      {"sin(1e22)", "-0.852200849767189"},     {"cos(1e22)", "0.523214785395139"},
      {"tan(1e22)", "-1.6287782256069"},       {"sin(1e300)", "-0.817881912115909"},
      {"cos(-1e300)", "-0.575386111957549"},   {"sin(1e308*1.7)", "-0.595256084863208"},
      {"sin(123456789)", "0.990114751802035"}, {"cos(1e5)", "-0.999360807438212"},
      {"tan(1e15)", "-1.67241478212758"},      {"sin(Pi)", "1.22464679914735e-16"},
      {"cos(Pi/2)", "6.12323399573677e-17"},   {"tan(Pi/2)", "1.63312393531954e+16"},
      {"sin(-0)", "-0"},                       {"tan(-0)", "-0"},
      {"asin(-0)", "-0"},                      {"atan(-0)", "-0"},
      {"asin(-1)", "-1.5707963267949"},        {"acos(-1)", "3.14159265358979"},
      {"atan(1e400)", "1.5707963267949"},      {"atan(-1e400,-1e400)", "-2.35619449019234"},
      {"atan(-0,-1)", "-3.14159265358979"},    {"hypsin(-0)", "0"},
  };
  for (const auto& c : cases) EXPECT_EQ(plain(c.expression), c.display) << c.expression;
}

TEST_F(FunctionTableMath, TheEndsOfTheDoubleRange) {
  const std::vector<Case> cases = {
      {"exp(709.782712893384)", "1.79769313486227e+308"}, {"exp(710)", "inf"},
      {"exp(-745.1332191019411)", "4.94065645841247e-324"}, {"exp(-745.1332191019412)", "0"},
      {"exp(-740)", "4.1995579896506e-322"},    {"ln(4.9e-324)", "-744.440071921381"},
      {"log(1e-320)", "-320.000004834948"},     {"log(1e308*10)", "inf"},
      {"hypsin(710)", "inf"},                   {"hypcos(-710)", "inf"},
      {"pow(2,1024)", "1.79769313486227e+308"}, {"pow(2,-1075)", "0"},
      {"cubert(1e-320)", "2.15442669502623e-107"},
  };
  for (const auto& c : cases) EXPECT_EQ(plain(c.expression), c.display) << c.expression;
}

}  // namespace
