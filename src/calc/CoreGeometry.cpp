// SPDX-License-Identifier: GPL-3.0-or-later
#include "calc/CoreGeometry.h"

#include "calc/Constants.h"
#include "data/CoreDatabase.h"
#include "textfile/Numbers.h"

namespace velmora {

namespace {

using constants::kPiGeometry;
using constants::kWindowShareE;
using constants::kWindowShareRing;

struct Dimensions {
  double A, B, C, D, H, h, I;
};

// The dimensions a shape needs, in the order they are checked.
bool HasNeededTexts(int shape, const DimensionTexts& t) {
  if (t.A.empty() || t.B.empty() || t.C.empty()) return false;
  if (shape != kShapeR && (t.D.empty() || t.H.empty() || t.h.empty())) return false;
  if (shape == kShapeEI && t.I.empty()) return false;
  return true;
}

// Path through the outer legs, the back and the centre leg of an E pair.
double EPairPath(const Dimensions& x) { return (x.B - x.D) + (x.A - x.B) * 0.5 + x.D * 0.5 + 4 * x.h + (x.H - x.h); }

void Compute(int shape, const Dimensions& x, CoreGeometry& g) {
  switch (shape) {
    case kShapeR:
      g.Ae = (x.A - x.B) * x.C * 0.5;
      g.An = x.B * x.B * kPiGeometry * 0.25 * kWindowShareRing;
      g.le = (x.A + x.B) * 0.5 * kPiGeometry;
      break;
    case kShapeE:
      g.Ae = x.C * x.D;
      g.An = (x.B - x.D) * x.h * kWindowShareE;
      g.le = EPairPath(x);
      break;
    case kShapeEI:
      // One E half: half the window height, the I piece closes the path.
      g.Ae = x.C * x.D;
      g.An = (x.B - x.D) * x.h * 0.5 * kWindowShareE;
      g.le = (x.B - x.D) + (x.A - x.B) * 0.5 + x.D * 0.5 + 2 * x.h + (x.H - x.h + x.I) * 0.5;
      break;
    default:  // ER, ETD: round centre leg
      g.Ae = x.D * x.D * 0.25 * kPiGeometry;
      g.An = (x.B - x.D) * x.h * kWindowShareE;
      g.le = EPairPath(x);
      break;
  }
}

}  // namespace

std::optional<CoreGeometry> ComputeCoreGeometry(int shape, const DimensionTexts& dims) {
  if (shape < kShapeE || shape >= kShapeOther) return std::nullopt;
  if (!HasNeededTexts(shape, dims)) return std::nullopt;

  CoreGeometry g;
  g.dims = DimensionTexts{CommaToPoint(dims.A), CommaToPoint(dims.B), CommaToPoint(dims.C), CommaToPoint(dims.D),
                          CommaToPoint(dims.H), CommaToPoint(dims.h), CommaToPoint(dims.I)};
  const DimensionTexts& t = g.dims;
  const Dimensions x{ReadLeadingDouble(t.A), ReadLeadingDouble(t.B), ReadLeadingDouble(t.C), ReadLeadingDouble(t.D),
                     ReadLeadingDouble(t.H), ReadLeadingDouble(t.h), ReadLeadingDouble(t.I)};
  Compute(shape, x, g);
  g.AeText = FormatFixed(g.Ae, 2);
  g.AnText = FormatFixed(g.An, 2);
  g.leText = FormatFixed(g.le, 1);
  return g;
}

}  // namespace velmora
