// Benchmark of deciphering a credentials line, the work the dispatcher does on every tick.
#include <benchmark/benchmark.h>

#include "reminder/sms/credentials_file.h"
#include "reminder/sms/mod_encryption.h"

namespace {

void decipherCredentialsLine(benchmark::State& state) {
    const std::string plain = "https://sms.gateway.example/api/"
                              "send.aspx#CDMA-HDR#user-tail#?#pass-mid#DAVRIN#pw#acct#end";
    const std::string cipher = davrin::sms::EncipherText(plain, davrin::sms::passPhrase);
    for (auto _ : state) {
        benchmark::DoNotOptimize(davrin::sms::DecipherText(cipher, davrin::sms::passPhrase));
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * cipher.size()));
}
BENCHMARK(decipherCredentialsLine);

} // namespace

BENCHMARK_MAIN();
