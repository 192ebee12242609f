// Placeholder translation unit of the geometry calculator logic library; replaced as its stages arrive.
namespace vx {
int CalculatorLogicLinked() { return 0; }
}  // namespace vx
