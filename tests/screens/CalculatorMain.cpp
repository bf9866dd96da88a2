// The calculator's screen tests share one calculator, made once for the whole program.
#include "CalculatorFixture.h"

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  ::testing::AddGlobalTestEnvironment(new CalculatorEnvironment);
  return RUN_ALL_TESTS();
}
