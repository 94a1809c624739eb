// The same conversions with the npm package lunar-javascript: every day from
// 1900-01-31 to 2050-01-22 to its lunar year, month and day and solar term.
const { Solar } = require('lunar-javascript');

const rounds = Number(process.argv[2] || 3);
let best = Infinity, digest = 0, days = 0, terms = 0;
for (let round = 0; round < rounds; ++round) {
  digest = days = terms = 0;
  const start = process.hrtime.bigint();
  const first = Date.UTC(1900, 0, 31), last = Date.UTC(2050, 0, 22);
  for (let t = first; t <= last; t += 86400000) {
    const d = new Date(t);
    const lunar = Solar.fromYmd(d.getUTCFullYear(), d.getUTCMonth() + 1, d.getUTCDate()).getLunar();
    // lunar-javascript marks a leap month with a negative number.
    digest += lunar.getYear() * 400 + Math.abs(lunar.getMonth()) * 31 + lunar.getDay();
    if (lunar.getJieQi()) ++terms;
    ++days;
  }
  const ms = Number(process.hrtime.bigint() - start) / 1e6;
  if (ms < best) best = ms;
}
console.log(`lunar-javascript: ${days} days in ${best.toFixed(2)} ms (best of ${rounds}), ` +
            `${(best * 1e6 / days).toFixed(1)} ns/day, digest ${digest}, solar term days ${terms}`);
