// Writes src/synth/pulse_shapes.cpp: 16 glottal pulse shapes of 128 samples.
//
// Each shape is a closure spike of 1000 at sample 16 plus low-level ripple
// (at most 4 % of the peak) taken from one cycle of the Liljencrants-Fant
// model of the glottal flow derivative: the cycle, sign-flipped so that
// closure points upwards, less its slow open-phase ramp (a centred 9-sample
// moving average), without the samples around closure, tapered at both ends.
// The spike keeps the excitation's spectrum flat up to the table's band edge,
// so that the predictors a voice builder fits to recorded speech keep their
// spectral balance (a full model pulse would tilt it by 10-20 dB above 2 kHz).
// The ripple differs between the 16 shapes (open quotient, skew and
// return-phase length vary), so that successive periods do not repeat one
// waveform exactly.
//
// Usage: generate_pulse_shapes [output.cpp]   (stdout when no path is given)
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kShapes = 16;
constexpr int kLength = 128;
constexpr int kPeakIndex = 16;
constexpr double kPeak = 1000.0;
constexpr double kPeriod = 96.0;  // model cycle in table samples
constexpr double kOversample = 16.0;
constexpr double kRipple = 0.04;    // largest ripple sample, fraction of the peak

struct LfParams {
  double tp;  // flow peak, s from opening (table samples)
  double te;  // closure (main excitation)
  double ta;  // return-phase time constant
  double tc;  // complete closure
};

// Return-phase decay: eps * ta = 1 - exp(-eps (tc - te)).
double solveEpsilon(const LfParams& p) {
  double eps = 1.0 / p.ta;
  for (int i = 0; i < 100; ++i) eps = (1.0 - std::exp(-eps * (p.tc - p.te))) / p.ta;
  return eps;
}

// Flow derivative at time t for growth alpha (Ee normalised to 1 at te).
double flowDerivative(const LfParams& p, double alpha, double eps, double t) {
  const double wg = M_PI / p.tp;
  if (t < 0.0) return 0.0;
  if (t <= p.te) {
    const double e0 = -1.0 / (std::exp(alpha * p.te) * std::sin(wg * p.te));
    return e0 * std::exp(alpha * t) * std::sin(wg * t);
  }
  if (t <= p.tc) return -(std::exp(-eps * (t - p.te)) - std::exp(-eps * (p.tc - p.te))) / (eps * p.ta);
  return 0.0;
}

// Net flow over the cycle; alpha is chosen so that it vanishes.
double netFlow(const LfParams& p, double alpha, double eps) {
  const double dt = 1.0 / kOversample;
  double sum = 0.0;
  for (double t = 0.0; t <= p.tc; t += dt) sum += flowDerivative(p, alpha, eps, t) * dt;
  return sum;
}

double solveAlpha(const LfParams& p, double eps) {
  double lo = -1.0, hi = 1.0;
  const double flo = netFlow(p, lo, eps);
  for (int i = 0; i < 80; ++i) {
    const double mid = 0.5 * (lo + hi);
    const double f = netFlow(p, mid, eps);
    if ((f > 0) == (flo > 0)) lo = mid; else hi = mid;
  }
  return 0.5 * (lo + hi);
}

std::vector<int> makeShape(int index) {
  // Open quotient 0.40 .. 0.70, skew 0.70 .. 0.85, return phase 1 .. 4 % of the cycle.
  LfParams p;
  const double oq = 0.40 + 0.02 * index;
  const double skew = 0.70 + 0.05 * (index % 4);
  const double ra = 0.010 + 0.010 * ((index * 5) % 4);
  p.te = oq * kPeriod;
  p.tp = skew * p.te;
  p.ta = ra * kPeriod;
  p.tc = p.te + 6.0 * p.ta < kPeriod ? p.te + 6.0 * p.ta : kPeriod;
  const double eps = solveEpsilon(p);
  const double alpha = solveAlpha(p, eps);

  // The model cycle, sign-flipped so that closure points upwards, closure at
  // kPeakIndex.
  std::vector<double> x(kLength);
  for (int n = 0; n < kLength; ++n) x[n] = -flowDerivative(p, alpha, eps, p.te + (n - kPeakIndex));
  // Ripple: what the cycle holds besides its closure, i.e. the model minus a
  // centred 9-sample moving average (the slow open-phase ramp goes) with the
  // closure samples themselves left out, tapered at both ends and scaled to
  // kRipple of the peak.
  std::vector<double> ripple(kLength);
  for (int n = 0; n < kLength; ++n) {
    double sum = 0.0;
    for (int k = -4; k <= 4; ++k) {
      const int m = n + k;
      sum += m >= 0 && m < kLength ? x[m] : (m < 0 ? x[0] : x[kLength - 1]);
    }
    ripple[n] = x[n] - sum / 9.0;
  }
  for (int n = kPeakIndex - 3; n <= kPeakIndex + 3; ++n) ripple[n] = 0.0;
  for (int n = 0; n < 8; ++n) ripple[n] *= 0.5 - 0.5 * std::cos(M_PI * n / 8.0);
  for (int n = 0; n < 32; ++n) ripple[kLength - 1 - n] *= 0.5 - 0.5 * std::cos(M_PI * n / 32.0);
  double largest = 0.0;
  for (double v : ripple) largest = std::fmax(largest, std::fabs(v));
  // The pulse: a closure spike, flat in spectrum up to the table's band edge,
  // so that the filters the voice builder fits to recorded speech keep their
  // spectral balance, plus the low-level ripple that makes periods differ.
  std::vector<int> out(kLength);
  for (int n = 0; n < kLength; ++n)
    out[n] = static_cast<int>(std::lround(largest > 0 ? ripple[n] * kRipple * kPeak / largest : 0.0));
  out[kPeakIndex] = static_cast<int>(kPeak);
  return out;
}

}  // namespace

int main(int argc, char** argv) {
  FILE* f = argc > 1 ? std::fopen(argv[1], "w") : stdout;
  if (!f) return 1;
  std::fprintf(f,
               "// Generated by tools/pulse_shapes/generate_pulse_shapes.cpp: do not edit.\n"
               "// Closure spike of 1000 at sample 16 plus low-level ripple from one cycle of\n"
               "// the Liljencrants-Fant glottal flow derivative.\n"
               "#include \"synth/pulse_shapes.h\"\n\n"
               "namespace tts {\n\n"
               "const int16_t kPulseShapes[kPulseShapeCount][kPulseShapeLength] = {\n");
  for (int s = 0; s < kShapes; ++s) {
    const std::vector<int> shape = makeShape(s);
    std::fprintf(f, "    {");
    for (int n = 0; n < kLength; ++n) {
      if (n % 16 == 0) std::fprintf(f, "\n        ");
      std::fprintf(f, "%d,%s", shape[n], n % 16 == 15 ? "" : " ");
    }
    std::fprintf(f, "\n    },\n");
  }
  std::fprintf(f,
               "};\n\n"
               "const int16_t kImpulseShape[kImpulseShapeLength] = {\n"
               "    8, -16, 26, -48, 86, -162, 294, -502, 718, -728, 184, 672, -610,\n"
               "    -672, 184, 728, 718, 502, 294, 162, 86, 48, 26, 16, 8,\n"
               "};\n\n"
               "}  // namespace tts\n");
  if (f != stdout) std::fclose(f);
  return 0;
}
