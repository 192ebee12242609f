// Placeholder translation unit of the contour construction logic library; replaced as its stages arrive.
namespace vx {
int ContourLogicLinked() { return 0; }
}  // namespace vx
