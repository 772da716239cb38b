// The redraw agent's proposals under the master clock, for random sequences
// of schedules, steps, resets and changes of interval and speed factor,
// against a model of its redraw grid on exact 128-bit counts of nanounits.
// The controller follows the agent: each step goes to the proposal or, as if
// another agent asked for it, to a value between the current one and it.
#include <map>
#include <set>

#include "NUVSimAgentRedraw3D.h"
#include "NUVSimExecutionOptionsSettings.h"
#include "PropertySupport.h"

namespace {

const Nano kScale = kNanoScale;
const Nano kInfinity = NanoOf(NUVSimValue(NUVSimValue::DblMax));

// The agent's grid: the next wanted redraw, the step, and the moves of the
// redraw by whole steps to a grid point not behind the current value.
struct Grid {
  Nano current, next, end, interval = kScale / 10, speed = kScale, step = kScale / 10;
  Nano proposed = 0, restart = -1;
  bool off = false;
  void Advance() {
    if (current < next) return;
    next += step;
    if (next < current) next += step * ((current - next) / step + 1);
    next = std::min(next, end);
  }
  // Keeps the pending redraw on a grid of the new step, anchored on the old.
  void Rebase(Nano newInterval, Nano newSpeed) {
    if (current < next) next -= step * ((next - current) / step + 1);
    interval = newInterval;
    speed = newSpeed;
    step = std::max<Nano>(1, (interval * speed + kScale / 2) / kScale);
    if (next < current) next += step * ((current - next) / step + 1);
  }
};

}  // namespace

TEST(RedrawScheduleProperty, ProposalsFollowTheGridAndMeetEveryScheduledValueOnce) {
  PROPERTY_RANDOM(random);
  NUVSimExecutionOptionsSettings::SetMasterClockYesOrNo(1);
  for (int play = 0; play < 200; ++play) {
    SCOPED_TRACE("play " + std::to_string(play));
    auto* agent = new NUVSimAgentRedraw3D;
    Grid g;
    const Nano start = Nano(random() % 50) * kScale / 4;
    g.current = g.next = start;
    g.end = play % 2 ? kInfinity : start + RandomNano(random, 200 * kScale);
    agent->SetStartEnd(FromNano(start), FromNano(g.end));
    agent->Init();
    std::set<Nano> scheduled, ahead;  // ahead: scheduled past the current value
    std::map<Nano, int> reached;
    bool regridded = false, changed = true;
    Nano last = 0;
    // The first play passes thousands of scheduled values, enough for the
    // agent to drop the passed ones from its list while it plays.
    for (int k = 1; play == 0 && k <= 3000; ++k) {
      agent->ScheduleRedraw(FromNano(start + 7 * k));
      scheduled.insert(start + 7 * k);
      ahead.insert(start + 7 * k);
    }
    for (int op = 0; op < (play == 0 ? 12000 : 300); ++op) {
      const int action = random() % 10;
      changed |= action < 4;  // anything but a step may move the proposal
      switch (action) {
        case 0: {  // around the current value, on the grid or not, or a repeat
          if (play == 0 && op < 6000) break;  // until the list has been compacted
          Nano v = g.current + RandomNano(random, 20 * g.step) - 3 * g.step;
          if (random() % 4 == 0) v = g.next + g.step * Nano(random() % 5);
          if (random() % 8 == 0 && !scheduled.empty()) v = *scheduled.rbegin();
          if (random() % 8 == 0) v = -v;
          agent->ScheduleRedraw(FromNano(v));
          if (v > 0) scheduled.insert(v);
          if (v > g.current) ahead.insert(v);
          break;
        }
        case 1: {  // invalid, above the ceiling, the same, or a new interval
          const int kind = random() % 8;
          Nano v = kind == 1 ? Nano(1) << 92 : kind == 2 ? g.interval : RandomNano(random, 1e12);
          if (kind == 0) v = random() % 2 ? 0 : -v;
          const long rc = agent->SetInterval(FromNano(v));
          ASSERT_EQ(rc, kind == 0 ? E_FAIL : S_OK);
          if (kind == 0) break;
          if (kind != 1 && v != g.interval) g.Rebase(v, g.speed), regridded = true;
          g.off = kind == 1;
          break;
        }
        case 2: {  // ignored when not positive
          const Nano v = RandomNano(random, 100 * kScale) * (random() % 5 ? 1 : -1);
          agent->SetSpeedFactor(FromNano(v));
          if (v > 0 && v != g.speed) g.Rebase(g.interval, v), regridded = true;
          break;
        }
        case 3:  // the next proposal repeats the last one
          if (g.proposed == kInfinity) break;
          agent->Reset();
          g.restart = g.proposed;
          break;
        default: {
          NUVSimValue value;
          agent->GetNextProposedValue(value);
          const Nano p = NanoOf(value);
          const bool repeat = g.restart > 0;
          Nano own;
          if (repeat) {
            own = g.next = g.restart;
            g.restart = -1;
            regridded = true;
          } else {
            g.Advance();
            own = g.next;
          }
          if (g.off) own = kInfinity;
          auto next = scheduled.upper_bound(g.current);
          g.proposed = std::min(own, next == scheduled.end() ? kInfinity : *next);
          ASSERT_EQ(p, g.proposed) << "op " << op;
          ASSERT_EQ(agent->GetScheduledCount(), std::distance(next, scheduled.end()));
          ASSERT_TRUE(repeat || p >= g.current) << "nothing behind the current value";
          ASSERT_TRUE(next == scheduled.end() || p <= *next) << "no scheduled value skipped";
          ASSERT_TRUE(changed || p == g.end || (g.current == last ? p > last : p == last));
          if (!regridded && !g.off && !scheduled.count(p) && p != g.end) {
            ASSERT_EQ((p - start) % g.step, 0) << "off the grid from the start";
          }
          last = p;
          changed = false;
          // The controller steps to the proposal or short of it.
          Nano to = p == kInfinity || random() % 3 == 0
                        ? g.current + RandomNano(random, std::min(p - g.current, 10 * g.step))
                        : p;
          to = std::min(to, g.end);  // play ends at the end
          if (to <= g.current || to > p) break;
          agent->SetCurrentSimValue(FromNano(to));
          g.current = to;
          if (ahead.count(to)) ++reached[to];
        }
      }
    }
    for (Nano v : ahead) ASSERT_EQ(reached[v], v <= g.current ? 1 : 0) << "each once, none skipped";
    ASSERT_EQ(agent->Release(), 0u);
  }
  NUVSimExecutionOptionsSettings::ResetToDefaults();
}
