#include "TestImages.h"

#include <thread>

namespace {

// The add pipeline writes versions of one photo from several threads, each with its own
// Picture; nothing may be shared between them, a failure on another thread included.
TEST(Threads, DistinctPicturesWorkInParallel)
{
    TempDir dir;
    ASSERT_TRUE(img::WriteJpeg(dir.File("src.jpg"), testimg::MakeGradient(640, 480), 90));
    std::vector<int> results(5, -1);
    std::vector<std::thread> threads;
    for (int t = 0; t < 4; ++t) {
        threads.emplace_back([&, t] {
            int code = 0;
            for (int round = 0; round < 5 && code == 0; ++round) {
                Picture picture;
                code = picture.LoadFile(dir.File("src.jpg"));
                if (code == 0) code = picture.FitInto(150 + t * 100, 100 + t * 50);
                if (code == 0) code = picture.SaveFile(dir.File("out" + std::to_string(t) + ".jpg"), 1, 75);
            }
            results[static_cast<std::size_t>(t)] = code;
        });
    }
    threads.emplace_back([&] { // failing all along beside them
        int code = img::kErrCannotOpen;
        for (int round = 0; round < 20 && code == img::kErrCannotOpen; ++round)
            code = Picture().LoadFile(dir.File("missing.jpg"));
        results[4] = code;
    });
    for (auto& thread : threads) thread.join();
    EXPECT_EQ(results, (std::vector<int>{0, 0, 0, 0, img::kErrCannotOpen}));
}

} // namespace
