#pragma once
#include <streambuf>
#include <string>

namespace qk::cli {

// An output stream's buffer that writes to a file descriptor through write(2) and keeps the
// system's reason for the first write that failed, so that a full disk or a closed pipe on
// standard output is told, not lost. Once a write has failed the stream is bad and writes no more.
class DescriptorOutput : public std::streambuf {
  public:
    explicit DescriptorOutput(int descriptor);
    ~DescriptorOutput() override;

    // The first failure's reason ("No space left on device"), or empty.
    std::string Reason() const;

  protected:
    int_type overflow(int_type character) override;
    int sync() override;

  private:
    bool Drain();

    int descriptor_;
    int error_ = 0;
    char buffer_[4096];
};

}  // namespace qk::cli
