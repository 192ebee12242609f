// Placeholder translation unit of the CAD exchange logic library; replaced as its stages arrive.
namespace vx {
int ExchangeLogicLinked() { return 0; }
}  // namespace vx
