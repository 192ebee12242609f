// Placeholder translation unit of the contour display logic library; replaced as its stages arrive.
namespace vx {
int DisplayLogicLinked() { return 0; }
}  // namespace vx
