#include "PlayReport.h"

#include <algorithm>
#include <cstdio>

void WriteTrace(std::ostream& out, const std::vector<PlayRun>& runs, const std::string& timeUnit,
                double perSecond) {
  out << "controller,real_time_" << timeUnit << ",sim_value,frame_state,drawn\n";
  char line[160];
  for (const PlayRun& run : runs) {
    for (const StepRow& s : run.steps) {
      std::snprintf(line, sizeof line, "%s,%.6f,%.9g,%d,%d\n", run.controller.c_str(),
                    s.realTime * perSecond, s.simValue, s.frameState, s.drawn);
      out << line;
    }
  }
}

namespace {

const char* const kColors[] = {"#1f77b4", "#d62728", "#2ca02c", "#9467bd"};

std::string Escape(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '<') out += "&lt;";
    else if (c == '>') out += "&gt;";
    else if (c == '&') out += "&amp;";
    else out += c;
  }
  return out;
}

// A round step for axis ticks covering `range` in about `ticks` steps.
double TickStep(double range, int ticks) {
  if (range <= 0) return 1;
  double raw = range / ticks, scale = 1;
  while (scale * 10 <= raw) scale *= 10;
  while (scale > raw) scale /= 10;
  for (double m : {1.0, 2.0, 5.0, 10.0}) {
    if (scale * m >= raw) return scale * m;
  }
  return scale * 10;
}

// Where the plot's values go on the picture.
struct Canvas {
  static constexpr double width = 900, height = 560, left = 80, right = 30, top = 60, bottom = 70;
  static constexpr double plotW = width - left - right, plotH = height - top - bottom;
  double maxReal = 0, maxSim = 0;

  explicit Canvas(const std::vector<PlayRun>& runs) {
    for (const PlayRun& run : runs) {
      for (const StepRow& s : run.steps) {
        maxReal = std::max(maxReal, s.realTime);
        maxSim = std::max(maxSim, s.simValue);
      }
    }
    maxReal = (maxReal > 0 ? maxReal : 1e-3) * 1.05;
    maxSim = (maxSim > 0 ? maxSim : 1) * 1.05;
  }
  double X(double real) const { return left + real / maxReal * plotW; }
  double Y(double sim) const { return top + plotH - sim / maxSim * plotH; }
};

void WriteHeader(std::ostream& out) {
  char buf[256];
  std::snprintf(buf, sizeof buf,
                "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"%.0f\" height=\"%.0f\" "
                "viewBox=\"0 0 %.0f %.0f\" font-family=\"sans-serif\" font-size=\"13\">\n",
                Canvas::width, Canvas::height, Canvas::width, Canvas::height);
  out << buf << "<rect width=\"100%\" height=\"100%\" fill=\"white\"/>\n";
  out << "<text x=\"" << Canvas::left << "\" y=\"28\" font-size=\"17\" font-weight=\"bold\">"
      << Escape("Redraw pacing: simulated time against real time") << "</text>\n";
}

void WriteAxes(std::ostream& out, const Canvas& c) {
  const double left = Canvas::left, top = Canvas::top, plotW = Canvas::plotW, plotH = Canvas::plotH;
  char buf[256];
  std::snprintf(buf, sizeof buf,
                "<g stroke=\"#333\"><line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/>"
                "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\"/></g>\n",
                left, top + plotH, left + plotW, top + plotH, left, top, left, top + plotH);
  out << buf;
  const double xs = TickStep(c.maxReal, 8), ys = TickStep(c.maxSim, 8);
  for (double t = 0; t <= c.maxReal + 1e-12; t += xs) {
    std::snprintf(buf, sizeof buf,
                  "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#eee\"/>"
                  "<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\">%g</text>\n",
                  c.X(t), top, c.X(t), top + plotH, c.X(t), top + plotH + 18, t);
    out << buf;
  }
  for (double v = 0; v <= c.maxSim + 1e-12; v += ys) {
    std::snprintf(buf, sizeof buf,
                  "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"#eee\"/>"
                  "<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"end\">%g</text>\n",
                  left, c.Y(v), left + plotW, c.Y(v), left - 8, c.Y(v) + 4, v);
    out << buf;
  }
  std::snprintf(buf, sizeof buf,
                "<text x=\"%.1f\" y=\"%.1f\" text-anchor=\"middle\">real time (s)</text>\n"
                "<text x=\"20\" y=\"%.1f\" text-anchor=\"middle\" "
                "transform=\"rotate(-90 20 %.1f)\">simulated time</text>\n",
                left + plotW / 2, Canvas::height - 25, top + plotH / 2, top + plotH / 2);
  out << buf;
}

// The run's steps as a line, its drawn frames as dots, and in real-time play
// the dashed line where the chosen factor puts the frames.
void WriteRunLine(std::ostream& out, const Canvas& c, const PlayRun& run, const char* color) {
  char buf[256];
  if (run.realTimeFactor > 0) {
    const double endReal = std::min(c.maxReal, c.maxSim / run.realTimeFactor);
    std::snprintf(buf, sizeof buf,
                  "<line x1=\"%.1f\" y1=\"%.1f\" x2=\"%.1f\" y2=\"%.1f\" stroke=\"%s\" "
                  "stroke-dasharray=\"6 4\" stroke-width=\"1.5\" opacity=\"0.6\"/>\n",
                  c.X(0), c.Y(0), c.X(endReal), c.Y(endReal * run.realTimeFactor), color);
    out << buf;
  }
  // Steps that fall on the same half pixel as the one before add nothing
  // to the picture: a long real-time play has tens of thousands.
  out << "<polyline fill=\"none\" stroke=\"" << color << "\" stroke-width=\"1.2\" points=\"";
  std::string last;
  for (const StepRow& s : run.steps) {
    std::snprintf(buf, sizeof buf, "%.1f,%.1f ", c.X(s.realTime), c.Y(s.simValue));
    if (last != buf) out << buf;
    last = buf;
  }
  out << "\"/>\n<g fill=\"" << color << "\">\n";
  last.clear();
  for (const StepRow& s : run.steps) {
    if (!s.drawn) continue;
    std::snprintf(buf, sizeof buf, "<circle cx=\"%.0f\" cy=\"%.0f\" r=\"2.6\"/>\n",
                  c.X(s.realTime), c.Y(s.simValue));
    if (last != buf) out << buf;
    last = buf;
  }
  out << "</g>\n";
}

void WriteLegend(std::ostream& out, const PlayRun& run, const char* color, double& y) {
  const double left = Canvas::left;
  int drawn = 0;
  for (const StepRow& s : run.steps) drawn += s.drawn ? 1 : 0;
  char buf[512];
  std::snprintf(buf, sizeof buf,
                "<circle cx=\"%.1f\" cy=\"%.1f\" r=\"4\" fill=\"%s\"/>"
                "<text x=\"%.1f\" y=\"%.1f\">%s: %s</text>\n",
                left + 14, y - 4, color, left + 24, y,
                run.controller == "kf" ? "key frames" : "negotiated time",
                Escape(run.mode).c_str());
  out << buf;
  y += 17;
  std::snprintf(buf, sizeof buf,
                "<text x=\"%.1f\" y=\"%.1f\" fill=\"#555\">%zu steps, %d drawn (dots)%s</text>\n",
                left + 24, y, run.steps.size(), drawn,
                run.realTimeFactor > 0 ? ", dashed: the chosen factor's line" : "");
  out << buf;
  y += 18;
}

}  // namespace

void WritePlot(std::ostream& out, const std::vector<PlayRun>& runs) {
  const Canvas canvas(runs);
  WriteHeader(out);
  WriteAxes(out, canvas);
  double legendY = Canvas::top + 14;
  for (size_t r = 0; r < runs.size(); ++r) {
    const char* color = kColors[r % 4];
    WriteRunLine(out, canvas, runs[r], color);
    WriteLegend(out, runs[r], color, legendY);
  }
  out << "</svg>\n";
}
